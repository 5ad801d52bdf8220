// The Wine tests' fixture.
#include "wine_test.h"

#include "lock/LockController.h"
#include "windows/frmWindowControls.h"

void WineTest::SetUp() {
    ASSERT_NO_THROW(Start());
    // Painted means loaded: the controls exist and the window is up.
    ASSERT_TRUE(WaitForStatus(ScreenColour(frmWindowControls::kNoPasswordColour)))
        << "status reads " << e2e::ToString(StatusColour());
}

void WineTest::Lock(const char* password) {
    x().Type(password);
    x().Key("Return");
    ASSERT_TRUE(WaitForStatus(ScreenColour(kMismatchColour)))
        << "not locked; status reads " << e2e::ToString(StatusColour());
}
