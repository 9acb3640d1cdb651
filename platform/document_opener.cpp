#include "platform/document_opener.h"

#include <QFileInfo>
#include <QProcess>

namespace lorvane::platform {

bool openDocument(const QString& path, const QString& opener) {
    // xdg-open itself would start, find nothing and exit later with an error
    // nobody reads; a missing file is the one failure we can see up front.
    const QFileInfo document(path);
    if (!document.isFile()) {
        return false;
    }
    // Not QDesktopServices::openUrl: it answers true at once even when no
    // program can open the file, and needs a GUI application object. A
    // detached xdg-open answers honestly whether it started, and the
    // learner's program never waits for the browser.
    return QProcess::startDetached(opener, {document.absoluteFilePath()});
}

}  // namespace lorvane::platform
