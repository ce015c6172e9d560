// SPDX-License-Identifier: MIT
#include "core/app/filename.h"

FileNameProblem fileNameProblem(const QString& name)
{
    if (name.isEmpty())
        return FileNameProblem::Empty;
    if (name.trimmed().isEmpty())
        return FileNameProblem::Blank;
    bool separator = name.contains(u'/') || name.contains(u'\\');
#ifdef Q_OS_WIN
    separator = separator || name.contains(u':');
#endif
    if (separator)
        return FileNameProblem::Separator;
    if (name == u"." || name == u"..")
        return FileNameProblem::DotName;
    if (name.contains(QChar(0)))
        return FileNameProblem::ZeroChar;
    if (name.contains(u'\r') || name.contains(u'\n'))
        return FileNameProblem::LineBreak;
    return FileNameProblem::None;
}

bool holdsFolder(FileNameProblem problem)
{
    return problem == FileNameProblem::Separator || problem == FileNameProblem::DotName;
}
