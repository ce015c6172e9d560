// "Ex": the sprite sheet exported for the chosen console.

#include "app/mainwindow.h"
#include "app/messages.h"
#include "sprite/sheetexport.h"

#include <QLineEdit>

void TfrmMain::btGraDataClick()
{
    const QString lang = settingsList.value(u"lang");
    const QString folder = settingsList.value(exportFolderKey(exportTarget(lang)));
    const ExportResult result = exportSheet(sheet, lang, folder, edtGraFile->text());
    showMessage(this, result.message);
}
