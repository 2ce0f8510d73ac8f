// The About box and the help.

#include "app/main_window.h"

#include "dialogs/splash.h"
#include "model/platform.h"

void Tfrm_main::spd_btn_emailClick() {
    Tfrm_spash box(Tfrm_spash::About, &platform_, this);
    box.exec();
}

void Tfrm_main::smn_aideClick() {
    platform_.showHelp(QStringLiteral("Sommaire"));
}
