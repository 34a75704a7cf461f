#pragma once

#include <deque>
#include <vector>

#include "util/dialog_presenter.h"

namespace tessel {

// Answers message boxes without a screen and keeps every request, for tests
// and the command line. Queued answers are used first, in order; after that
// each box is answered with its default button.
class TScriptedPresenter : public TDialogPresenter {
public:
    int present(const TDialogRequest& request) override;

    void queueAnswer(int answer) { fAnswers.push_back(answer); }
    const std::vector<TDialogRequest>& requests() const { return fRequests; }
    void clear();

private:
    std::deque<int> fAnswers;
    std::vector<TDialogRequest> fRequests;
};

}  // namespace tessel
