// The black cover over every monitor, behind the lock window.
#pragma once

#include "platform/ui.h"

class frmBigBlackBox final : public ui::FormEvents {
public:
    // The program's one cover, created on first use.
    static frmBigBlackBox& Instance();

    void Show();  // modeless: returns at once

private:
    frmBigBlackBox();
    void Form_Load();

    ui::Window* window_;
};
