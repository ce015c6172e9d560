// SPDX-License-Identifier: MIT
// "Ex": the sprite sheet exported for the chosen console.

#include "core/app/targets.h"
#include "core/sprite/sheetexport.h"
#include "ui/app/mainwindow.h"

#include <QLineEdit>

void TfrmMain::btGraDataClick()
{
    const ConsoleTarget& target = consoleTargetOrFirst(settingsList.value(u"lang"));
    const QString folder = settingsList.value(QString::fromLatin1(target.exportDirKey));
    showMessage(exportMessage(exportSheet(sheet, target, folder, edtGraFile->text())));
}
