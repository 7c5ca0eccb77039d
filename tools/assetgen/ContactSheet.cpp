#include "ContactSheet.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <map>

namespace assetgen {

namespace {

QImage toImage(const Pixmap& p, int scale) {
    QImage image(p.width() * scale, p.height() * scale, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, p.at(x / scale, y / scale));
        }
    }
    return image;
}

// The painter's composition: white-background pictures AND-ed into white layers, black-background
// pictures OR-ed into the black sprite layer, then board AND hit layer AND overlay OR sprites.
struct Board {
    Pixmap board, pic1, pic2, pic3;
    explicit Board(const Pixmap& background)
        : board(background.cropped(0, 0, 400, 360)), pic1(400, 360, opaque(0)),
          pic2(400, 360, opaque(0xFFFFFF)), pic3(400, 360, opaque(0xFFFFFF)) {}

    static void op(Pixmap& dst, const Pixmap& src, int x, int y, int w, int h, bool isAnd) {
        w = std::min(w, src.width());
        h = std::min(h, src.height());
        for (int j = 0; j < h; ++j) {
            for (int i = 0; i < w; ++i) {
                if (!dst.contains(x + i, y + j)) {
                    continue;
                }
                const Argb d = dst.at(x + i, y + j), s = src.at(i, j);
                dst.set(x + i, y + j, 0xFF000000u | (isAnd ? (d & s) : (d | s)));
            }
        }
    }
    void sprite(Pixmap& whiteLayer, const Pixmap& white, const Pixmap& black, int x, int y, int w,
                int h, bool hideUnder = false) {
        op(whiteLayer, white, x, y, w, h, true);
        if (hideUnder) {
            op(pic1, white, x, y, w, h, true);
        }
        op(pic1, black, x, y, w, h, false);
    }
    Pixmap compose() const {
        Pixmap out = board;
        op(out, pic2, 0, 0, 400, 360, true);
        op(out, pic3, 0, 0, 400, 360, true);
        op(out, pic1, 0, 0, 400, 360, false);
        return out;
    }
};

QImage boardScene(const std::map<std::string, const Pixmap*>& p) {
    Board b(*p.at("MainBoard"));
    auto& P = p;
    for (int i = 0; i < 6; ++i) {
        b.sprite(b.pic2, *P.at("bbb2"), *P.at("bbb"), 38 + 7 * i, 5, 6, 6);
    }
    b.sprite(b.pic2, *P.at("sss"), *P.at("sssss"), 170, 104, 50, 15);
    b.sprite(b.pic2, *P.at("ss"), *P.at("ssss"), 300, 104, 50, 15);
    b.op(b.pic3, Pixmap(2, 2, opaque(0)), 240, 80, 2, 2, true);
    b.sprite(b.pic3, *P.at("bbb2"), *P.at("bbb"), 196, 150, 20, 20);
    b.sprite(b.pic3, *P.at("bbb2"), *P.at("bbb"), 120, 230, 20, 20);
    b.sprite(b.pic3, *P.at("PicPlane1M"), *P.at("PicPlane1"), 230, 20, 80, 40);
    b.sprite(b.pic3, *P.at("PicPlane2M"), *P.at("PicPlane2"), 60, 40, 80, 40);
    b.sprite(b.pic2, *P.at("PicSub1M"), *P.at("PicSub1"), 250, 160, 63, 20, true);
    b.sprite(b.pic2, *P.at("PicSub2M"), *P.at("PicSub2"), 40, 290, 64, 19, true);
    b.sprite(b.pic2, *P.at("PicSub1M"), *P.at("PicSub1"), 300, 320, 63, 20, true);
    b.sprite(b.pic3, *P.at("PicCrash1M"), *P.at("PicCrash1"), 150, 190, 63, 32, true);
    b.sprite(b.pic3, *P.at("PicCrash2M"), *P.at("PicCrash2"), 230, 230, 68, 37, true);
    for (int k = 0; k < 4; ++k) {
        const std::string n = std::to_string(k);
        b.sprite(b.pic3, *P.at("PicExpM" + n), *P.at("PicExp" + n), 10 + k * 95, 170 + (k % 2) * 70,
                 67, 60);
    }
    QImage scene = toImage(b.compose(), 1);
    QPainter painter(&scene);
    painter.setPen(QColor(192, 0, 192));
    const char* lines[] = {" 炮弹: ",      " 等级 1",       " 得分: 132",
                           " 总得分: -30", " 生命: 20",     " 速度: 3",
                           " 杀敌: 7",     " 使用炮弹: 12", " 当前状态: 修理中----"};
    const int step = painter.fontMetrics().height();
    for (int i = 0; i < 9; ++i) {
        painter.drawText(0, step * (i + 1) - painter.fontMetrics().descent(),
                         QString::fromUtf8(lines[i]));
    }
    painter.end();
    return scene.scaled(800, 720);
}

QImage listCorner(const Pixmap& high) {
    QImage corner = toImage(high.cropped(0, 0, 207, 307), 1);
    QPainter painter(&corner);
    painter.setPen(QColor(192, 192, 192));
    painter.drawRect(16, 8, 180, 268);
    painter.setPen(QColor(224, 224, 224));
    for (int i = 0; i < 10; ++i) {
        painter.drawText(20, 26 + i * 26,
                         QString::fromUtf8("第%1名 林海 %2").arg(i + 1).arg(9000 - i * 731));
    }
    painter.end();
    return corner.scaled(414, 614);
}

} // namespace

bool writeContactSheet(const std::vector<Picture>& pictures, const std::string& path) {
    std::map<std::string, const Pixmap*> byName;
    for (const Picture& p : pictures) {
        byName[p.name] = &p.pixels;
    }
    const int scale = 4, margin = 12, label = 16, width = 2200;
    // Lay the pictures out in rows, then the board and the list corner below them.
    struct Placed {
        const Picture* picture;
        int x, y;
    };
    std::vector<Placed> placed;
    int x = margin, y = margin, rowHeight = 0;
    for (const Picture& p : pictures) {
        const int w = p.pixels.width() * scale, h = p.pixels.height() * scale + label;
        if (p.name == "MainBoard" || p.name == "High") {
            continue; // shown in the scenes below at 2x
        }
        if (x + w > width - margin) {
            x = margin;
            y += rowHeight + margin;
            rowHeight = 0;
        }
        placed.push_back({&p, x, y});
        x += w + margin;
        rowHeight = std::max(rowHeight, h);
    }
    const int scenesTop = y + rowHeight + margin;
    QImage sheet(width, scenesTop + 720 + label + margin * 2, QImage::Format_ARGB32);
    sheet.fill(QColor(128, 128, 128));
    QPainter painter(&sheet);
    for (const Placed& pl : placed) {
        painter.setPen(Qt::black);
        painter.drawText(pl.x, pl.y + 12, QString::fromStdString(pl.picture->name));
        painter.drawImage(pl.x, pl.y + label, toImage(pl.picture->pixels, scale));
    }
    painter.drawText(margin, scenesTop + 12, "board at 2x, composed by AND and OR");
    painter.drawImage(margin, scenesTop + label, boardScene(byName));
    painter.drawText(margin + 820, scenesTop + 12, "list window at 2x");
    painter.drawImage(margin + 820, scenesTop + label, listCorner(*byName.at("High")));
    painter.drawText(margin + 1250, scenesTop + 12, "High.png whole");
    painter.drawImage(margin + 1250, scenesTop + label, toImage(*byName.at("High"), 1));
    painter.drawText(margin + 1630, scenesTop + 12, "MainBoard.png whole");
    painter.drawImage(margin + 1630, scenesTop + label, toImage(*byName.at("MainBoard"), 1));
    painter.end();
    return sheet.save(QString::fromStdString(path));
}

} // namespace assetgen
