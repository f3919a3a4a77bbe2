// The launcher's application object: prepares the common controls, runs the
// launcher window modally and lets the process end.
#pragma once

#include "platform/platform.h"

class COrvaneCDApp : public CWinApp {
public:
    COrvaneCDApp();
    ~COrvaneCDApp() override;

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

extern COrvaneCDApp theApp;
