#include "support/appfixture.h"

#include "app/lodexapp.h"
#include "app/mainframe.h"
#include "base/settingsstore.h"

#include <QAction>

CLodexApp &AppFixture::App()
{
    return *qobject_cast<CLodexApp *>(QCoreApplication::instance());
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

bool AppFixture::Trigger(CommandId id)
{
    QAction *item = Frame().Action(id);
    if (!item->isEnabled())
        return false;
    item->trigger();
    return true;
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
