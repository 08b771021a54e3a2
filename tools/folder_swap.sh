# shellcheck shell=bash
# Shell functions, sourced by the generators of the game folder's data, that replace a
# folder (zvuky, karty) whole: the new one is made beside it as NAME.new and swapped in
# by renames, so a complete folder is always on disk, and one of them is always named
# NAME but for the instant between two renames. A run cut short at any point is set
# right by recover_folder at the start of the next.

# Call in the parent folder before anything else.
#   NAME.new alone: a build that did not finish; it goes.
#   NAME.old without NAME: cut between the two renames; the old folder comes back.
#   NAME.old beside NAME: cut before the old folder was removed; it goes.
recover_folder() {
  local name=$1
  rm -rf -- "$name.new"
  if [ -d "$name.old" ]; then
    if [ -e "$name" ]; then
      rm -rf -- "$name.old"
    else
      mv -T -- "$name.old" "$name"
    fi
  fi
}

# Makes an empty NAME.new to build into.
start_folder() {
  local name=$1
  rm -rf -- "$name.new"
  mkdir -- "$name.new"
}

# Puts the finished NAME.new in the place of NAME.
swap_in_folder() {
  local name=$1
  sync -f -- "$name.new" 2>/dev/null || true
  if [ -e "$name" ]; then
    mv -T -- "$name" "$name.old"
  fi
  mv -T -- "$name.new" "$name"
  rm -rf -- "$name.old"
}

# Holds a lock on the folder FOLDER for the rest of the calling script, so that two
# set-ups of the same game folder do not build into one NAME.new together.
lock_folder() {
  exec {folder_lock_fd}<"$1"
  flock "$folder_lock_fd"
}
