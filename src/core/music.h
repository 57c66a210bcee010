// A music streamed from its file a quarter of a second at a time. Starting one decodes three
// such chunks (under a second of sound) on its streaming thread, where the audio library's own
// music decodes three seconds first: a level that starts its music costs a few milliseconds
// less, on a machine whose two cores also draw the frame.
#pragma once

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/SoundStream.hpp>

#include <mutex>
#include <string>
#include <vector>

class MusicStream final : public sf::SoundStream {
  public:
    // Stops the streaming thread before the file it reads goes.
    ~MusicStream() override;

    // Opens a music file (its header is read now); false when missing or not a sound.
    bool openFromFile(const std::string& file);

  private:
    bool onGetData(Chunk& data) override;
    void onSeek(sf::Time offset) override;

    std::mutex mutex_; // the streaming thread reads while the game may seek or reopen
    sf::InputSoundFile file_;
    std::vector<sf::Int16> chunk_;
};
