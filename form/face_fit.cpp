#include "face_fit.h"

namespace zobu {

double ShrinkToFit(double size, double step, const std::function<bool(double size)>& fits) {
    while (size > step && !fits(size)) {
        size -= step;
    }
    return size;
}

FaceChoice ChooseHelpFace(std::size_t faceCount, double size, double step,
                          const std::function<bool(std::size_t face, double size)>& fits) {
    for (std::size_t face = 0; face < faceCount; ++face) {
        if (fits(face, size)) {
            return {face, size};
        }
    }
    return {0, ShrinkToFit(size, step, [&](double smaller) { return fits(0, smaller); })};
}

}  // namespace zobu
