#pragma once

// The login window's parts. The input controls are named "ctl<N>" by their control number and
// carry their skin unit in the property "unit"; the other parts are named "unit<N>".
namespace ui::logindlgids {

enum Id : int {
    BackgroundUnit = 60000,
    UserNameUnit = 60010,
    PasswordUnit = 60011,
    AccountLinkUnit = 60012,
    RecoveryLinkUnit = 60013,
    RememberUnit = 60014,
    LoginUnit = 60015,
    CancelUnit = 60016,
    FeedbackUnit = 60017,
    AutoRunUnit = 60018,

    UserNameControl = 1001,
    PasswordControl = 1002,
    RememberControl = 1004,
    AutoRunControl = 1005,
    FeedbackControl = 1024,
};

} // namespace ui::logindlgids
