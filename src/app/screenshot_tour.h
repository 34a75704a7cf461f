#pragma once

#include <QString>

namespace tessel {

class TfmMainSRB;

// Connects with the connection page as it stands, then shows every page of
// the stack and saves the window as "NN_<page name>.png" into folder. True
// when every picture was written; what went wrong is printed.
bool runScreenshotTour(TfmMainSRB& window, const QString& folder);

}  // namespace tessel
