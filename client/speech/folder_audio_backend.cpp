#include "client/speech/folder_audio_backend.h"

namespace tarvel {

void FolderAudioBackend::Start(const std::string& path, Playback playback) {
    const std::filesystem::path name(path);
    inner_->Start(name.is_absolute() ? path : (folder_ / name).string(), playback);
}

}  // namespace tarvel
