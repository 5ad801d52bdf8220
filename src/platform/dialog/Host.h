// What the dialog engine asks of the backend that shows it.
#pragma once

namespace dialog {

class Host {
public:
    // Something changed on the dialog; paint it once input has settled.
    virtual void repaint_soon() = 0;
    // The dialog's outer size in pixels changed (the About panel folds).
    virtual void size_changed(int width, int height) = 0;

protected:
    ~Host() = default;
};

}  // namespace dialog
