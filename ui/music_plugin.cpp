#include "ui/music_plugin.h"

#include <iostream>

#include <QCoreApplication>
#include <QLibrary>

namespace qvr {

namespace {

using CreatePlayer = MusicPlayer* (*)();

} // namespace

QString MusicPluginPath()
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') +
           QLatin1String(kMusicPluginFile);
}

std::unique_ptr<MusicPlayer> LoadMusicPlayer(const QString& path)
{
    // Never unloaded: the players it makes live in its code.
    QLibrary plugin(path);
    auto create = reinterpret_cast<CreatePlayer>(plugin.resolve(kMusicPluginEntry));
    if (!create) {
        std::cerr << "qvr: no music: " << plugin.errorString().toStdString() << "\n";
        return std::make_unique<SilentMusic>();
    }
    return std::unique_ptr<MusicPlayer>(create());
}

LazyMusicPlayer::LazyMusicPlayer(QString pluginPath) : pluginPath_(std::move(pluginPath)) {}

void LazyMusicPlayer::stop()
{
    if (player_)
        player_->stop();
}

void LazyMusicPlayer::close()
{
    if (player_)
        player_->close();
}

void LazyMusicPlayer::open(const std::string& path)
{
    if (!player_)
        player_ = LoadMusicPlayer(pluginPath_);
    player_->open(path);
}

void LazyMusicPlayer::play()
{
    if (player_)
        player_->play();
}

bool LazyMusicPlayer::stopped()
{
    return player_ && player_->stopped();
}

void LazyMusicPlayer::playFromStart()
{
    if (player_)
        player_->playFromStart();
}

} // namespace qvr
