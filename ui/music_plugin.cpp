#include "ui/music_plugin.h"

#include <iostream>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#ifndef QVR_PLUGIN_FROM_BIN
#define QVR_PLUGIN_FROM_BIN "../lib/qvr"
#endif

namespace qvr {

namespace {

using CreatePlayer = MusicPlayer* (*)();

} // namespace

QString MusicPluginPath()
{
    // Beside the program in a build; in the library folder once installed.
    QString bin = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    QString beside = bin + QLatin1String(kMusicPluginFile);
    QString installed = QDir::cleanPath(bin + QLatin1String(QVR_PLUGIN_FROM_BIN) +
                                        QLatin1Char('/') + QLatin1String(kMusicPluginFile));
    return QFileInfo::exists(beside) || !QFileInfo::exists(installed) ? beside : installed;
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
