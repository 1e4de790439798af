#include "editor/gamepath.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace hull {

QString ResolveGamePath(const QString& gamePath) {
    QString path = gamePath;
    path.replace('\\', '/');
    const QStringList parts = path.split('/', Qt::SkipEmptyParts);
    QString resolved = path.startsWith('/') ? QStringLiteral("/") : QString();
    for (int i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        QString name = part;
        const QString here = resolved.isEmpty() ? QStringLiteral(".") : resolved;
        if (part != "." && part != ".." && !QFileInfo::exists(resolved + part)) {
            const QStringList entries = QDir(here).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
            for (const QString& entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    name = entry;
                    break;
                }
            }
        }
        resolved += name;
        if (i + 1 < parts.size()) resolved += '/';
    }
    return resolved;
}

bool GameFileExists(const QString& gamePath) { return QFileInfo(ResolveGamePath(gamePath)).isFile(); }

}  // namespace hull
