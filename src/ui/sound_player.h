#pragma once
// Plays a sound file without waiting for it; a seam so tests can record what would sound.

#include <QString>
#include <memory>

class QSoundEffect;

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts playing `path`; a missing or unplayable file stays silent.
    virtual void Play(const QString& path) = 0;
};

class QtSoundPlayer : public SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    void Play(const QString& path) override;

private:
    std::unique_ptr<QSoundEffect> effect_;
};
