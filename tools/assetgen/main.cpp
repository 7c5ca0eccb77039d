// kelvarn_assetgen: draws every picture and synthesises every sound of the game.
//   kelvarn_assetgen --out DIR     writes DIR/pictures/*.png, DIR/sound/*.wav, DIR/assets.qrc and
//                                  the desktop icons DIR/icons/kelvarn<size>.png
//   kelvarn_assetgen --sheet FILE  writes a contact sheet of the art for review
// Both may be given together. The output is the same, byte for byte, on every run.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "Catalogue.h"
#include "ContactSheet.h"

namespace {

using namespace assetgen;

void put16(std::ofstream& f, std::uint16_t v) {
    const char b[2] = {char(v & 0xFF), char(v >> 8)};
    f.write(b, 2);
}
void put32(std::ofstream& f, std::uint32_t v) {
    const char b[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF),
                       char(v >> 24)};
    f.write(b, 4);
}

// A canonical PCM WAV: RIFF, a 16-byte fmt chunk (mono, 16-bit), one data chunk.
bool writeWav(const Sound& sound, const std::string& path) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    const std::uint32_t bytes = std::uint32_t(sound.samples.size() * 2);
    f.write("RIFF", 4);
    put32(f, 36 + bytes);
    f.write("WAVEfmt ", 8);
    put32(f, 16);
    put16(f, 1); // PCM
    put16(f, 1); // mono
    put32(f, SampleRate);
    put32(f, SampleRate * 2);
    put16(f, 2);
    put16(f, 16);
    f.write("data", 4);
    put32(f, bytes);
    for (std::int16_t s : sound.samples) {
        put16(f, std::uint16_t(s));
    }
    return bool(f);
}

bool writeQrc(const std::vector<Picture>& pictures, const std::string& path) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/pictures\">\n";
    for (const Picture& p : pictures) {
        f << "  <file alias=\"" << p.name << ".png\">pictures/" << p.name << ".png</file>\n";
    }
    f << "</qresource>\n</RCC>\n";
    return bool(f);
}

int writeAssets(const std::string& dir) {
    const std::vector<Picture> pictures = makePictures();
    const std::vector<Picture> icons = makeDesktopIcons();
    const std::vector<Sound> sounds = makeSounds();
    if (!QDir().mkpath(QString::fromStdString(dir + "/pictures")) ||
        !QDir().mkpath(QString::fromStdString(dir + "/icons")) ||
        !QDir().mkpath(QString::fromStdString(dir + "/sound"))) {
        std::fprintf(stderr, "cannot make the folders under %s\n", dir.c_str());
        return 1;
    }
    for (const Picture& p : pictures) {
        const std::string path = dir + "/pictures/" + p.name + ".png";
        if (!savePng(p.pixels, path, p.ground == Ground::Transparent)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    // The desktop's icons stay out of the program's resources: only the menu entry uses them.
    for (const Picture& p : icons) {
        const std::string path = dir + "/icons/" + p.name + ".png";
        if (!savePng(p.pixels, path, true)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    for (const Sound& s : sounds) {
        const std::string path = dir + "/sound/" + s.name + ".wav";
        if (!writeWav(s, path)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    if (!writeQrc(pictures, dir + "/assets.qrc")) {
        std::fprintf(stderr, "cannot write %s/assets.qrc\n", dir.c_str());
        return 1;
    }
    std::printf("%zu pictures, %zu desktop icons and %zu sounds in %s\n", pictures.size(),
                icons.size(), sounds.size(), dir.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string out, sheet;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--out") {
            out = argv[i + 1];
        } else if (option == "--sheet") {
            sheet = argv[i + 1];
        }
    }
    if (out.empty() && sheet.empty()) {
        std::fprintf(stderr, "usage: %s [--out DIR] [--sheet FILE.png]\n", argv[0]);
        return 2;
    }
    try {
        if (!out.empty() && writeAssets(out) != 0) {
            return 1;
        }
        if (!sheet.empty()) {
            // Labels need fonts, and fonts need a GUI application; offscreen needs no display.
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
                qputenv("QT_QPA_PLATFORM", "offscreen");
            }
            QGuiApplication app(argc, argv);
            if (!writeContactSheet(makePictures(), sheet)) {
                std::fprintf(stderr, "cannot write %s\n", sheet.c_str());
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
