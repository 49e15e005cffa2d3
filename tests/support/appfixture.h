#pragma once

#include "app/commandtable.h"
#include "app/core/recentfilelist.h"
#include "app/documentfiles.h"
#include "data/lodexdoc.h"
#include "support/fakes.h"

class CLodexApp;
class CLodexView;
class CMainFrame;

// The program as the application suite runs it, inside the suite's own
// CLodexApp (tests/app/testapp.cpp), each test from a first start: no
// settings, no recent files, every question answered by script. A test
// class derives from it beside QObject, calls BeginTest() in init() and
// EndTest() in cleanup().
class AppFixture
{
protected:
    FakePrompts m_prompts;

    static CLodexApp &App();
    static CMainFrame &Frame();
    static CLodexDoc &Doc();
    static CLodexView &View();
    // Runs the command as its menu item does, if the item is enabled;
    // answers whether it ran.
    static bool Trigger(CommandId id);

    // Fresh scripted prompts answer every question, or `prompts` when the
    // test brings a script of its own.
    void BeginTest(FakePrompts *prompts = nullptr);
    // Ends the program the test started and puts the real dialogs back.
    static void EndTest();
};

// A document with its file commands (New, Open, Save ...) and no window,
// its questions answered by script.
struct DocumentFilesFixture {
    CLodexDoc doc;
    FakePrompts prompts;
    CRecentFileList recent;
    CDocumentFiles files{doc, prompts, recent};

    DocumentFilesFixture() { doc.m_pPrompts = &prompts; }
};
