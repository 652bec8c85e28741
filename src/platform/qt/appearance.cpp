#include "platform/qt/appearance.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

namespace qtb {

namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

const char* ThemeName(plat::Glyph g) {
    switch (g) {
        case plat::Glyph::Add:
            return "list-add";
        case plat::Glyph::Delete:
            return "edit-delete";
        case plat::Glyph::Play:
            return "media-playback-start";
        case plat::Glyph::Stop:
            return "media-playback-stop";
        case plat::Glyph::Apply:
            return "dialog-ok-apply";
        case plat::Glyph::Revert:
            return "edit-undo";
        case plat::Glyph::Up:
            return "go-up";
        case plat::Glyph::Down:
            return "go-down";
        case plat::Glyph::Web:
            return "applications-internet";
        case plat::Glyph::None:
            break;
    }
    return "";
}

// Our drawings, in a 16 by 16 box: the same pictures as the Windows program's.
void Draw(QPainter& p, plat::Glyph g) {
    const QColor green(0, 128, 0), red(192, 0, 0), blue(0, 0, 160);
    auto fill = [&p](const QColor& c) {
        p.setPen(QPen(c, 1));
        p.setBrush(c);
    };
    auto stroke = [&p](const QColor& c, double width) {
        p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
    };
    switch (g) {
        case plat::Glyph::Play:
            fill(green);
            p.drawPolygon(QPolygonF({{4.5, 2.5}, {12.5, 8}, {4.5, 13.5}}));
            break;
        case plat::Glyph::Stop:
            fill(QColor(128, 0, 0));
            p.drawRect(QRectF(4, 4, 8, 8));
            break;
        case plat::Glyph::Add:
            fill(green);
            p.drawRect(QRectF(7, 2.5, 2, 11));
            p.drawRect(QRectF(2.5, 7, 11, 2));
            break;
        case plat::Glyph::Delete:
            stroke(red, 2.5);
            p.drawLine(QPointF(4, 4), QPointF(12, 12));
            p.drawLine(QPointF(12, 4), QPointF(4, 12));
            break;
        case plat::Glyph::Apply:
            stroke(green, 2.5);
            p.drawPolyline(QPolygonF({{2.5, 8.5}, {6, 12}, {13.5, 3.5}}));
            break;
        case plat::Glyph::Revert: {
            stroke(blue, 2);
            p.drawArc(QRectF(3, 4.5, 10, 10), 90 * 16, 270 * 16);
            fill(blue);
            p.drawPolygon(QPolygonF({{3.5, 4.5}, {8, 1}, {8, 8}}));
            break;
        }
        case plat::Glyph::Up:
            fill(QColor(0, 0, 0));
            p.drawPolygon(QPolygonF({{8, 2}, {14, 8.5}, {2, 8.5}}));
            p.drawRect(QRectF(6, 8.5, 4, 5));
            break;
        case plat::Glyph::Down:
            fill(QColor(0, 0, 0));
            p.drawPolygon(QPolygonF({{8, 14}, {14, 7.5}, {2, 7.5}}));
            p.drawRect(QRectF(6, 2.5, 4, 5));
            break;
        case plat::Glyph::Web:
            p.setPen(QPen(blue, 1));
            p.setBrush(QColor(170, 210, 255));
            p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(5, 1.5, 6, 13));
            p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
            break;
        case plat::Glyph::None:
            break;
    }
}

QPixmap Drawn(plat::Glyph g, qreal scale) {
    QPixmap pixmap(QSize(16, 16) * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    Draw(p, g);
    return pixmap;
}

// The theme's icon, else our drawing.
QIcon ResolveGlyph(plat::Glyph glyph) {
    const QString name = ThemeName(glyph);
    if (QIcon::hasThemeIcon(name)) return QIcon::fromTheme(name);
    QIcon icon;
    for (qreal scale : {1.0, 2.0}) icon.addPixmap(Drawn(glyph, scale));
    return icon;
}

// Looking a name up in the icon theme tests for files in every size folder of the
// theme and its parents; a window of glyph buttons made at start-up and not shown
// spent a quarter of the start there. The look-up waits until the picture is wanted.
class GlyphEngine final : public QIconEngine {
  public:
    explicit GlyphEngine(plat::Glyph glyph) : glyph_(glyph) {}

    void paint(QPainter* p, const QRect& r, QIcon::Mode mode, QIcon::State state) override {
        Icon().paint(p, r, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return Icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    QString iconName() override { return Icon().name(); }
    QIconEngine* clone() const override { return new GlyphEngine(*this); }

  private:
    const QIcon& Icon() {
        if (!resolved_) resolved_ = ResolveGlyph(glyph_);
        return *resolved_;
    }

    plat::Glyph glyph_;
    std::optional<QIcon> resolved_;
};

}  // namespace

double LayoutScale() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    const QFont font = QApplication::font();
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    // 9 points at 96 DPI: the desktop font the layouts were made for.
    const double scale = points * dpi / 72.0 / 12.0;
    return scale > 0 ? std::clamp(scale, 0.75, 4.0) : 1.0;
}

int ToScreen(int layout) {
    return static_cast<int>(std::lround(layout * LayoutScale()));
}

int FromScreen(int screen) {
    return static_cast<int>(std::lround(screen / LayoutScale()));
}

QString FamilyFor(const std::string& windowsName) {
    static const char* const sans[] = {
        "ms sans serif", "microsoft sans serif", "arial",          "tahoma", "segoe ui",
        "verdana",       "ms shell dlg",         "ms shell dlg 2", ""};
    const std::string name = Lower(windowsName);
    for (const char* s : sans)
        if (name == s) return QApplication::font().family();
    return QString::fromStdString(windowsName);
}

QFont FontFor(const plat::FontSpec& spec) {
    QFont font(FamilyFor(spec.name));
    if (font.family() != QApplication::font().family()) font.setStyleHint(QFont::Serif);
    // The Windows dialog font's 8 points are the desktop font's size; larger faces keep
    // their proportion to it. Points, so that the screen's scale applies as well.
    const double desktop = QApplication::font().pointSizeF();
    font.setPointSizeF(spec.pointSize * (desktop > 0 ? desktop : 9.0) / 8.0);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    return font;
}

QIcon GlyphIcon(plat::Glyph glyph) {
    if (glyph == plat::Glyph::None) return {};
    return QIcon(new GlyphEngine(glyph));
}

}  // namespace qtb
