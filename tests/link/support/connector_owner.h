#pragma once

#include "errors/err_container.h"
#include "link/connector.h"
#include "util/fd_misc.h"
#include "util/scripted_presenter.h"

namespace tessel::test {

// The siblings a connector reports through, as the device component gives
// them: an error container (RaiseMode off unless a test asks) and a utility
// component whose message boxes are answered by a script.
struct ConnectorOwner {
    explicit ConnectorOwner(TConnector& connector, bool raiseMode = false) {
        errors.setRaiseMode(raiseMode);
        misc.setDialogPresenter(&presenter);
        connector.setErrContainer(&errors);
        connector.setMisc(&misc);
    }
    TErrContainer errors;
    TFDMisc misc;
    TScriptedPresenter presenter;
};

}  // namespace tessel::test
