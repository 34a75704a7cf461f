#include "util/scripted_presenter.h"

namespace tessel {

int TScriptedPresenter::present(const TDialogRequest& request) {
    fRequests.push_back(request);
    if (!fAnswers.empty()) {
        const int answer = fAnswers.front();
        fAnswers.pop_front();
        return answer;
    }
    if (request.buttons == TDialogButtons::Ok) return kDialogOk;
    return request.yesIsDefault ? kDialogYes : kDialogNo;
}

void TScriptedPresenter::clear() {
    fAnswers.clear();
    fRequests.clear();
}

}  // namespace tessel
