#include "ui/sound_player.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

QtSoundPlayer::QtSoundPlayer() = default;
QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::Play(const QString& path) {
    if (!QFileInfo(path).isFile()) return;
    if (!effect_) {
        effect_ = std::make_unique<QSoundEffect>();
        // The effect loads asynchronously: play as soon as it is ready; a failed load stays silent.
        QObject::connect(effect_.get(), &QSoundEffect::statusChanged, effect_.get(), [effect = effect_.get()] {
            if (effect->status() == QSoundEffect::Ready && effect->property("playWhenReady").toBool()) {
                effect->setProperty("playWhenReady", false);
                effect->play();
            }
        });
    }
    const QUrl source = QUrl::fromLocalFile(path);
    if (effect_->source() != source) effect_->setSource(source);
    if (effect_->status() == QSoundEffect::Ready) {
        effect_->play();
    } else {
        effect_->setProperty("playWhenReady", true);
    }
}
