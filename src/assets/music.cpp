#include "assets/assets.h"

MusicStream::~MusicStream() {
    stop();
}

bool MusicStream::openFromFile(const std::string& file) {
    stop();
    std::lock_guard<std::mutex> lock(mutex_);
    if (!file_.openFromFile(file) || file_.getChannelCount() == 0 || file_.getSampleRate() == 0)
        return false;
    chunk_.assign(static_cast<std::size_t>(file_.getSampleRate() / 4) * file_.getChannelCount(), 0);
    initialize(file_.getChannelCount(), file_.getSampleRate());
    return true;
}

bool MusicStream::onGetData(Chunk& data) {
    std::lock_guard<std::mutex> lock(mutex_);
    const std::size_t read = static_cast<std::size_t>(file_.read(chunk_.data(), chunk_.size()));
    data.samples = chunk_.data();
    data.sampleCount = read;
    // A short chunk is the file's last: the stream then loops to its start or stops.
    return read > 0 && read == chunk_.size();
}

void MusicStream::onSeek(sf::Time offset) {
    std::lock_guard<std::mutex> lock(mutex_);
    file_.seek(offset);
}
