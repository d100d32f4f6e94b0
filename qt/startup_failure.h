// Starting Qt's GUI. Where no window can open, the user gets one line on stderr that names
// the cause (no display named, a display that does not answer, a platform plugin that does
// not start) with Qt's own words, and status 1, instead of Qt's abort and page of advice.
#pragma once

#include <QApplication>
#include <memory>

namespace zobu {

// The application, or, where no window can open, the line above and the end of the program.
// argc must outlive the application.
std::unique_ptr<QApplication> StartApplication(int& argc, char** argv);

}  // namespace zobu
