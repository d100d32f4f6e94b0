#include "label_fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>

#include "face_fit.h"
#include "help_text.h"
#include "number_text.h"
#include "window_measure.h"

namespace zobu {
namespace {

constexpr double kShrinkStepPoints = 0.25;

// The first of `preferred` that the font database really holds (fontconfig would otherwise
// substitute any face for a missing name), or an empty string.
QString firstInstalledFamily(const QStringList& installed, const QStringList& preferred) {
    for (const QString& family : preferred) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            return family;
        }
    }
    return {};
}

QFont makeFont(const QString& family, double points, QFont::StyleHint hint) {
    QFont font(family);
    font.setStyleHint(hint);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

QString fixedPitchFamily(const QStringList& installed) {
    const QString family = firstInstalledFamily(
        installed, {QStringLiteral("Lucida Console"), QStringLiteral("DejaVu Sans Mono"),
                    QStringLiteral("Liberation Mono")});
    return family.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::FixedFont).family() : family;
}

// Song (Ming) faces, best first: Windows' own, then those Linux desktops install (the Debian
// package depends on font_packages.txt).
QStringList songFaces() {
    return {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
            QStringLiteral("AR PL UMing CN")};
}

QString songFamily(const QStringList& installed) {
    const QString family = firstInstalledFamily(installed, songFaces());
    if (!family.isEmpty()) {
        return family;
    }
    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    return chinese.isEmpty() ? QString() : chinese.front();
}

// The display's width for text in pixels: the label less its border and text indent.
int displayTextWidthPixels() {
    const LabelSpec& say = kLayout[LayoutRow(LabelName::lblSay)];
    const int width = TwipsToPixels(say.left + say.width) - TwipsToPixels(say.left);
    return width - 2 * kBorderPixels - kTextIndentPixels;
}

// Where a stand-in face is wider than "Lucida Console", the display's font gives up only as
// much size as the widest number needs to fit.
QFont fitDisplay(QFont font) {
    const QString widest = QString::fromLatin1(kWidestDisplayText);
    const double room = displayTextWidthPixels();
    font.setPointSizeF(ShrinkToFit(font.pointSizeF(), kShrinkStepPoints, [&](double points) {
        font.setPointSizeF(points);
        return QFontMetricsF(font).horizontalAdvance(widest) <= room;
    }));
    return font;
}

// Whether all thirteen lines of the help text, laid out as the panel lays them out, lie
// inside the panel. No line is less high than the face's height less a negative leading, so
// a face too tall for that is turned down from its metrics, without shaping the text.
bool helpFits(const QFont& font) {
    const TwipRect& p = kHelpPlace;
    const QRect panel(0, 0, TwipsToPixels(p.left + p.width) - TwipsToPixels(p.left),
                      TwipsToPixels(p.top + p.height) - TwipsToPixels(p.top));
    const QString text = QString::fromStdString(HelpText());
    const QFontMetricsF metrics(font);
    const auto lines = static_cast<double>(text.count(QStringLiteral("\r\n")) + 1);
    if (lines * (metrics.height() + std::min(metrics.leading(), 0.0)) > panel.height()) {
        return false;
    }
    const QRect needed = QFontMetrics(font).boundingRect(panel, Qt::AlignTop | Qt::AlignLeft, text);
    return needed.width() <= panel.width() && needed.height() <= panel.height();
}

// The lines' face first, then the other installed Song faces (see ChooseHelpFace).
QFont fitHelp(const QFont& lines, const QStringList& installed) {
    QStringList faces{lines.family()};
    for (const QString& family : songFaces()) {
        if (installed.contains(family, Qt::CaseInsensitive) && !faces.contains(family)) {
            faces.append(family);
        }
    }
    const auto font = [&](std::size_t face, double points) {
        return makeFont(faces[static_cast<qsizetype>(face)], points, QFont::Serif);
    };
    const FaceChoice choice = ChooseHelpFace(
        static_cast<std::size_t>(faces.size()), lines.pointSizeF(), kShrinkStepPoints,
        [&](std::size_t face, double points) { return helpFits(font(face, points)); });
    return font(choice.face, choice.size);
}

// Naming a face loads nothing: only the display's face, which the first frame draws, is
// measured here.
struct LabelFonts {
    QFont key;
    QFont display;
    QFont chinese;
};

LabelFonts chooseFonts() {
    const QStringList installed = QFontDatabase::families();
    const QString fixed = fixedPitchFamily(installed);
    return {makeFont(fixed, FontPoints(FontRole::Key), QFont::Monospace),
            fitDisplay(makeFont(fixed, FontPoints(FontRole::Display), QFont::Monospace)),
            makeFont(songFamily(installed), FontPoints(FontRole::Chinese), QFont::Serif)};
}

}  // namespace

const QFont& FontFor(FontRole role) {
    static const LabelFonts fonts = chooseFonts();
    switch (role) {
        case FontRole::Display:
            return fonts.display;
        case FontRole::Chinese:
            return fonts.chinese;
        case FontRole::Help: {
            static const QFont help = fitHelp(fonts.chinese, QFontDatabase::families());
            return help;
        }
        case FontRole::Key:
            break;
    }
    return fonts.key;
}

}  // namespace zobu
