#include "support/appfixture.h"

#include "app/lodexapp.h"
#include "app/mainframe.h"
#include "base/settingsstore.h"

CLodexApp &AppFixture::App()
{
    return *CLodexApp::Current();
}

CMainFrame &AppFixture::Frame()
{
    return *App().MainFrame();
}

CLodexDoc &AppFixture::Doc()
{
    return *App().Document();
}

CLodexView &AppFixture::View()
{
    return *Frame().View();
}

void AppFixture::BeginTest(FakePrompts *prompts)
{
    if (!prompts) {
        m_prompts = FakePrompts();
        prompts = &m_prompts;
    }
    App().SetPrompts(prompts);
    CSettingsStore().clear();
    App().RecentFiles() = CRecentFileList();
}

void AppFixture::EndTest()
{
    App().ExitInstance();
    App().SetPrompts(nullptr);
}
