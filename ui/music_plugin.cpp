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

} // namespace qvr
