// qvr-content: builds the game folder's data files from the content sources,
// checks sources without writing, and prints readable summaries of data files.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "core/data_files.h"
#include "core/folder_store.h"
#include "core/messages.h"
#include "tools/content/compile.h"
#include "tools/content/summary.h"

using namespace qvr;

namespace {

int usage()
{
    std::cerr
        << "usage:\n"
           "  qvr-content build --data DIR --out DIR   write QVR2.DAT, TEXTS.DAT, EVENTS.DAT\n"
           "                                           (and QVR1.DAT if none); the texts are\n"
           "                                           DIR/../messages.toml\n"
           "  qvr-content check --data DIR             check the sources only\n"
           "  qvr-content texts FILE.toml --out FILE   write a texts file (TEXTS.DAT) alone\n"
           "  qvr-content npcs --data DIR --out FILE   write the characters' talk table (C++)\n"
           "  qvr-content dump FILE                    summarise a QVR1.DAT or QVR2.DAT\n";
    return 2;
}

int dump(const std::filesystem::path& path)
{
    FolderStore folder(path.parent_path().empty() ? "." : path.parent_path());
    std::string name = path.filename().string();
    std::vector<uint8_t> bytes = folder.readFile(name, kContentFileMaxBytes);
    bool isSave = name == kSaveFileName || bytes.size() == kSaveFileBytes;
    if (isSave) {
        SaveData save;
        DecodeSaveImage(bytes, save, path.string());
        std::cout << content::SummariseSave(save);
    } else {
        Content content;
        DecodeContentImage(bytes, content, path.string());
        std::cout << content::SummariseContent(content);
    }
    return 0;
}

// An unchanged file keeps its time stamp, so that rebuilding after a comment
// changed in the texts leaves whatever depends on them alone.
int writeIfChanged(const std::filesystem::path& path, const std::vector<uint8_t>& image)
{
    std::ifstream old(path, std::ios::binary);
    if (old && std::vector<uint8_t>(std::istreambuf_iterator<char>(old), {}) == image)
        return 0;
    old.close();
    FolderStore folder(path.parent_path().empty() ? "." : path.parent_path());
    folder.writeFileSafely(path.filename().string(), image);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::string command = argc > 1 ? argv[1] : "";
    std::string dataDir, outDir;
    for (int i = command == "texts" ? argc : 2; i + 1 < argc; i += 2) {
        std::string flag = argv[i];
        if (flag == "--data")
            dataDir = argv[i + 1];
        else if (flag == "--out")
            outDir = argv[i + 1];
        else
            return usage();
    }
    try {
        if (command == "dump" && argc == 3)
            return dump(argv[2]);
        if (command == "check" && !dataDir.empty()) {
            content::CompileContent(dataDir);
            std::cout << "content is sound\n";
            return 0;
        }
        if (command == "texts" && argc == 5 && std::string(argv[3]) == "--out") {
            MessageTable texts = content::ReadMessageSource(argv[2]);
            return writeIfChanged(argv[4], EncodeMessageImage(texts));
        }
        if (command == "npcs" && !dataDir.empty() && !outDir.empty()) {
            content::Sources sources = content::CompileSources(dataDir);
            std::ofstream out(outDir, std::ios::binary);
            out << content::NpcTableSource(sources.npcs);
            out.close();
            if (!out)
                throw std::runtime_error(outDir + ": cannot be written");
            return 0;
        }
        if (command == "build" && !dataDir.empty() && !outDir.empty()) {
            content::Sources sources = content::CompileSources(dataDir);
            bool freshSave = content::WriteGameFolder(sources, outDir);
            std::cout << "wrote " << (std::filesystem::path(outDir) / kContentFileName).string()
                      << ", " << kTextsFileName << ", " << kEventsFileName
                      << (freshSave ? " and a starting QVR1.DAT" : " (the existing save is kept)")
                      << "\n";
            return 0;
        }
    } catch (const std::exception& e) {
        std::cerr << "qvr-content: " << e.what() << "\n";
        return 1;
    }
    return usage();
}
