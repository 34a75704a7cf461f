#pragma once

#include <string>

namespace tessel {

enum class TMiscDialogTypes { qstn_YesNo_FBtn = 0, qstn_YesNo_SBtn = 1, inf_OkBtn = 2 };

// Answer codes of a message box.
inline constexpr int kDialogOk = 1;
inline constexpr int kDialogYes = 6;
inline constexpr int kDialogNo = 7;

enum class TDialogIcon { None, Information, Question };
enum class TDialogButtons { Ok, YesNo };

// One modal message box, described without any toolkit.
struct TDialogRequest {
    std::string text;
    std::string title;
    // The platform's information dialog: centred, under the platform's own
    // caption, so `title` is not shown.
    bool platformInformation = false;
    TDialogIcon icon = TDialogIcon::None;
    TDialogButtons buttons = TDialogButtons::Ok;
    bool yesIsDefault = true;
    const void* ownerWindow = nullptr;
};

// Shows message boxes for the utility component: the app shows real dialogs,
// tests and the command line answer them from a script.
class TDialogPresenter {
public:
    virtual ~TDialogPresenter() = default;
    // Blocks until answered; returns kDialogOk, kDialogYes or kDialogNo.
    virtual int present(const TDialogRequest& request) = 0;
};

}  // namespace tessel
