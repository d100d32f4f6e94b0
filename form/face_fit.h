// How a label's font gives up size, and how the help panel chooses its face: the rules are the
// same on every platform; each front end measures with its own toolkit and counts size in its
// own unit and step (Qt in quarter points, Windows in whole pixels at the window's DPI).
#pragma once

#include <cstddef>
#include <functional>

namespace zobu {

// The size made smaller by `step` at a time until `fits` holds at it, or until it is down to
// one step. The display gives up only as much size as its widest number needs.
double ShrinkToFit(double size, double step, const std::function<bool(double size)>& fits);

struct FaceChoice {
    std::size_t face;  // index into the faces offered
    double size;       // in the front end's unit

    friend bool operator==(const FaceChoice&, const FaceChoice&) = default;
};

// The help panel's face. Faces differ in line spacing far more than in size (Noto's CJK faces
// need half as much again as AR PL UMing), and the last line tells how to close the panel, so
// every line must show: face 0 (the lines' face) at the written size where the thirteen lines
// fit, else the first of the other `faceCount - 1` installed faces that fits at that size,
// else face 0 shrunk as ShrinkToFit shrinks it.
FaceChoice ChooseHelpFace(std::size_t faceCount, double size, double step,
                          const std::function<bool(std::size_t face, double size)>& fits);

}  // namespace zobu
