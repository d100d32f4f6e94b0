// Nearest-neighbour enlargement and band-preserving reduction of a square icon.
#include "icon_scaling.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <stdexcept>
#include <utility>

namespace zobu::icongen {
namespace {

QImage enlarge(const QImage& source, int size) {
    const int from = source.width();
    QImage result(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        // The source pixel under the centre of the target pixel: floor((y + 1/2) * from / size).
        const int sy = ((2 * y + 1) * from) / (2 * size);
        for (int x = 0; x < size; ++x) {
            const int sx = ((2 * x + 1) * from) / (2 * size);
            result.setPixel(x, y, source.pixel(sx, sy));
        }
    }
    return result;
}

bool sameColumn(const QImage& image, int a, int b) {
    for (int y = 0; y < image.height(); ++y) {
        if (image.pixel(a, y) != image.pixel(b, y)) {
            return false;
        }
    }
    return true;
}

bool sameRow(const QImage& image, int a, int b) {
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, a) != image.pixel(x, b)) {
            return false;
        }
    }
    return true;
}

// Widths of the bands of identical adjacent lines along one axis of `length` lines.
template <typename Same>
std::vector<int> bandWidths(int length, Same same) {
    std::vector<int> widths{1};
    for (int i = 1; i < length; ++i) {
        if (same(i - 1, i)) {
            ++widths.back();
        } else {
            widths.push_back(1);
        }
    }
    return widths;
}

// For each target line, the source line it copies.
std::vector<int> sourceLines(const std::vector<int>& widths, const std::vector<int>& shares) {
    std::vector<int> lines;
    int start = 0;
    for (std::size_t band = 0; band < widths.size(); ++band) {
        for (int j = 0; j < shares[band]; ++j) {
            lines.push_back(start + j * widths[band] / shares[band]);
        }
        start += widths[band];
    }
    return lines;
}

// Averages in premultiplied form, so a transparent pixel lends no colour to its neighbours.
QImage reduceByBlocks(const QImage& source, int size) {
    const int block = source.width() / size;
    const int count = block * block;
    QImage result(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int alpha = 0;
            int red = 0;
            int green = 0;
            int blue = 0;
            for (int by = 0; by < block; ++by) {
                for (int bx = 0; bx < block; ++bx) {
                    const QRgb p = source.pixel(x * block + bx, y * block + by);
                    alpha += qAlpha(p);
                    red += qRed(p) * qAlpha(p);
                    green += qGreen(p) * qAlpha(p);
                    blue += qBlue(p) * qAlpha(p);
                }
            }
            if (alpha == 0) {
                result.setPixel(x, y, qRgba(0, 0, 0, 0));
                continue;
            }
            const auto mean = [alpha](int weighted) { return (weighted + alpha / 2) / alpha; };
            result.setPixel(x, y,
                            qRgba(mean(red), mean(green), mean(blue), (alpha + count / 2) / count));
        }
    }
    return result;
}

QImage reduce(const QImage& source, int size) {
    const int from = source.width();
    const std::vector<int> columns =
        bandWidths(from, [&](int a, int b) { return sameColumn(source, a, b); });
    const std::vector<int> rows =
        bandWidths(from, [&](int a, int b) { return sameRow(source, a, b); });
    const std::vector<int> columnShares = shareOutBands(columns, size);
    const std::vector<int> rowShares = shareOutBands(rows, size);
    if (columnShares.empty() || rowShares.empty()) {
        if (from % size == 0) {
            return reduceByBlocks(source, size);
        }
        return source.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_ARGB32);
    }
    const std::vector<int> sx = sourceLines(columns, columnShares);
    const std::vector<int> sy = sourceLines(rows, rowShares);
    QImage result(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            result.setPixel(
                x, y,
                source.pixel(sx[static_cast<std::size_t>(x)], sy[static_cast<std::size_t>(y)]));
        }
    }
    return result;
}

}  // namespace

std::vector<int> shareOutBands(const std::vector<int>& widths, int target) {
    if (widths.empty() || std::cmp_greater(widths.size(), target)) {
        return {};
    }
    const double total = std::accumulate(widths.begin(), widths.end(), 0.0);
    std::vector<double> ideal;
    std::vector<int> shares;
    for (const int width : widths) {
        ideal.push_back(width * target / total);
        shares.push_back(std::max(1, static_cast<int>(ideal.back())));
    }
    // Order of preference for one more (or one less) pixel: the band furthest below (above)
    // its ideal share, then the wider band, then the earlier one.
    const auto better = [&](std::size_t a, std::size_t b, double sign) {
        const double ra = sign * (ideal[a] - shares[a]);
        const double rb = sign * (ideal[b] - shares[b]);
        if (ra != rb) {
            return ra > rb;
        }
        if (widths[a] != widths[b]) {
            return widths[a] > widths[b];
        }
        return a < b;
    };
    int sum = std::accumulate(shares.begin(), shares.end(), 0);
    while (sum != target) {
        const bool grow = sum < target;
        std::size_t pick = widths.size();
        for (std::size_t i = 0; i < widths.size(); ++i) {
            if (!grow && shares[i] == 1) {
                continue;
            }
            if (pick == widths.size() || better(i, pick, grow ? 1.0 : -1.0)) {
                pick = i;
            }
        }
        shares[pick] += grow ? 1 : -1;
        sum += grow ? 1 : -1;
    }
    return shares;
}

QImage scaleIcon(const QImage& source, int size) {
    if (source.isNull() || source.width() != source.height() || size <= 0) {
        throw std::invalid_argument("icon source must be a square image and size positive");
    }
    const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
    if (size >= argb.width()) {
        return enlarge(argb, size);
    }
    return reduce(argb, size);
}

}  // namespace zobu::icongen
