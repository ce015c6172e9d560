// "Ex": the sprite sheet exported for the chosen console.

#include "app/mainwindow.h"
#include "app/messages.h"
#include "app/targets.h"
#include "sprite/sheetexport.h"

#include <QLineEdit>

void TfrmMain::btGraDataClick()
{
    const ConsoleTarget& target = consoleTargetOrFirst(settingsList.value(u"lang"));
    const QString folder = settingsList.value(QString::fromLatin1(target.exportDirKey));
    const ExportResult result = exportSheet(sheet, target, folder, edtGraFile->text());
    showMessage(this, result.message);
}
