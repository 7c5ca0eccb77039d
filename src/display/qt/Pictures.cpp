#include "display/qt/Pictures.h"

#include <string>
#include <utility>

// Outside any namespace: the resource initialiser is declared by this macro at file scope.
static void registerPictureResources() {
    Q_INIT_RESOURCE(assets);
}

namespace kelvarn {

void initialiseResources() {
    static const bool done = [] {
        registerPictureResources();
        return true;
    }();
    (void)done;
}

QImage loadPicture(const QString& name) {
    initialiseResources();
    const QString file = name.endsWith(QLatin1String(".png")) ? name : name + ".png";
    return QImage(QStringLiteral(":/pictures/") + file);
}

Surface surfaceFromImage(const QImage& image) {
    if (image.isNull()) {
        return {};
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    Surface out(rgb.width(), rgb.height(), Black);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            out.setPixel(x, y, line[x] & 0xFFFFFFu);
        }
    }
    return out;
}

namespace {

// Replaces `target` (a placeholder of the right size) with the named picture when it loads and
// has that size.
void load(Surface& target, const char* name) {
    Surface picture = surfaceFromImage(loadPicture(QString::fromLatin1(name)));
    if (picture.width() == target.width() && picture.height() == target.height()) {
        target = std::move(picture);
    }
}

} // namespace

Sprites loadSprites() {
    Sprites s = Sprites::placeholders();
    load(s.sss, "sss");
    load(s.sssss, "sssss");
    load(s.ss, "ss");
    load(s.ssss, "ssss");
    load(s.bbb2, "bbb2");
    load(s.bbb, "bbb");
    load(s.PicPlane1M, "PicPlane1M");
    load(s.PicPlane1, "PicPlane1");
    load(s.PicPlane2M, "PicPlane2M");
    load(s.PicPlane2, "PicPlane2");
    load(s.PicSub1M, "PicSub1M");
    load(s.PicSub1, "PicSub1");
    load(s.PicSub2M, "PicSub2M");
    load(s.PicSub2, "PicSub2");
    load(s.PicCrash1M, "PicCrash1M");
    load(s.PicCrash1, "PicCrash1");
    load(s.PicCrash2M, "PicCrash2M");
    load(s.PicCrash2, "PicCrash2");
    for (std::size_t k = 0; k < s.PicExpM.size(); ++k) {
        load(s.PicExpM[k], ("PicExpM" + std::to_string(k)).c_str());
    }
    for (std::size_t k = 0; k < s.PicExp.size(); ++k) {
        load(s.PicExp[k], ("PicExp" + std::to_string(k)).c_str());
    }
    load(s.boardBackground, "MainBoard");
    return s;
}

} // namespace kelvarn
