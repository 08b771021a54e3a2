// Every key of the page: the desktop's keys wherever browsers let them through, and
// another key where a browser keeps the desktop's for itself (Ctrl+N, Ctrl+W, Ctrl+T,
// Ctrl+L, Ctrl+R, F5, F6, F7 and the like). The list on the page and in the README is
// made from this table.
import type { GameCommand } from "@generated/messages";
import type { Language, TextKey } from "./texts";
import { text } from "./texts";

export type PageAction = "focusHistory" | "focusHand" | "toggleHearing" | "scores" | "networkGame" | "chat";

export interface Chord {
  key: string; // KeyboardEvent.key: "ArrowLeft", "F2", " ", or a letter or digit as printed
  shift?: boolean;
  ctrl?: boolean;
}

export interface Binding {
  chords: Chord[];
  command?: GameCommand;
  action?: PageAction;
  label: TextKey;
}

// Keys of the table act only while the hand has the focus, so they never take a key from
// a button, a choice or the screen reader's reading keys. The function keys, Page Up and
// Page Down, and those with Ctrl act wherever the focus is.
export const BINDINGS: Binding[] = [
  { chords: [{ key: "ArrowLeft" }], command: "left", label: "left" },
  { chords: [{ key: "ArrowRight" }], command: "right", label: "right" },
  { chords: [{ key: "Home" }, { key: "ArrowLeft", shift: true }], command: "first", label: "first" },
  { chords: [{ key: "End" }, { key: "ArrowRight", shift: true }], command: "last", label: "last" },
  { chords: [{ key: "Enter" }], command: "play", label: "play" },
  { chords: [{ key: " " }], command: "draw", label: "drawOrStand" },
  { chords: [{ key: "F2" }, { key: "2" }], command: "selectedCard", label: "selectedCard" },
  { chords: [{ key: "F2", shift: true }, { key: "2", shift: true }], command: "selectedValue", label: "selectedValue" },
  { chords: [{ key: "F2", ctrl: true }, { key: "a" }], command: "allCards", label: "allCards" },
  { chords: [{ key: "ArrowUp" }, { key: "F3" }, { key: "3" }], command: "pileCard", label: "pileCard" },
  { chords: [{ key: "F4" }, { key: "4" }], command: "gameNumber", label: "gameNumber" },
  { chords: [{ key: "5" }], command: "playerWins", label: "playerWins" },
  { chords: [{ key: "6" }], command: "opponentWins", label: "opponentWins" },
  { chords: [{ key: "7" }], command: "playerPoints", label: "playerPoints" },
  { chords: [{ key: "7", shift: true }], command: "tablePoints", label: "tablePoints" },
  { chords: [{ key: "F8" }, { key: "8" }], command: "opponentPoints", label: "opponentPoints" },
  { chords: [{ key: "ArrowDown" }, { key: "F9" }, { key: "9" }], command: "opponentCount", label: "opponentCount" },
  { chords: [{ key: "F9", shift: true }, { key: "9", shift: true }], command: "playerCount", label: "playerCount" },
  { chords: [{ key: "n" }], command: "newMatch", label: "newMatch" },
  { chords: [{ key: "e" }], command: "endMatch", label: "endMatch" },
  { chords: [{ key: "z", ctrl: true }, { key: "s" }], command: "toggleSounds", label: "toggleSounds" },
  { chords: [{ key: "l" }], command: "toggleSayDrawn", label: "toggleSayDrawn" },
  { chords: [{ key: "r" }], command: "repeatOpponent", label: "repeatOpponent" },
  { chords: [{ key: "PageUp" }], command: "previousAnnouncement", label: "previousAnnouncement" },
  { chords: [{ key: "PageDown" }], command: "nextAnnouncement", label: "nextAnnouncement" },
  { chords: [{ key: "g", ctrl: true }, { key: "h" }], action: "focusHistory", label: "focusHistory" },
  { chords: [{ key: "Escape" }], action: "focusHand", label: "escapeKey" },
  { chords: [{ key: "i" }], action: "networkGame", label: "goToNetworkGame" },
  { chords: [{ key: "c" }], action: "chat", label: "sendMessage" },
  { chords: [{ key: "m" }], action: "toggleHearing", label: "toggleHearing" },
  { chords: [{ key: "t" }], action: "scores", label: "showScores" },
];

// Digits typed with Shift are other characters on most keyboards ("@", "ě"): the key's
// place tells the digit.
function keyOf(event: KeyboardEvent): string {
  const digit = /^Digit([0-9])$/.exec(event.code);
  if (digit?.[1] !== undefined) return digit[1];
  return event.key.length === 1 ? event.key.toLowerCase() : event.key;
}

function matches(chord: Chord, event: KeyboardEvent): boolean {
  return (
    chord.key === keyOf(event) &&
    (chord.shift ?? false) === event.shiftKey &&
    (chord.ctrl ?? false) === (event.ctrlKey || event.metaKey) &&
    !event.altKey
  );
}

function worksAnywhere(chord: Chord): boolean {
  return chord.ctrl === true || /^F[0-9]+$/.test(chord.key) || chord.key === "PageUp" || chord.key === "PageDown";
}

// The binding a key press stands for where the focus is: `inHand` when the hand has it.
export function bindingFor(event: KeyboardEvent, inHand: boolean): Binding | undefined {
  return BINDINGS.find((binding) =>
    binding.chords.some((chord) => matches(chord, event) && (inHand || worksAnywhere(chord))),
  );
}

const KEY_NAMES: Partial<Record<string, TextKey>> = {
  " ": "keySpace",
  ArrowLeft: "keyLeft",
  ArrowRight: "keyRight",
  ArrowUp: "keyUp",
  ArrowDown: "keyDown",
  Escape: "keyEscape",
};

export function chordName(chord: Chord, language: Language): string {
  const named = KEY_NAMES[chord.key];
  let name = named ? text(language, named) : chord.key.replace(/^Page/, "Page ");
  if (name.length === 1) name = name.toUpperCase();
  return (chord.ctrl ? "Ctrl+" : "") + (chord.shift ? "Shift+" : "") + name;
}
