#include "app/web_link.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#include "support/data_folder.h"
#include "support/text_literals.h"
#include "support/ui.h"

namespace lxt {

namespace {

// A successful launch is reported with the shell's usual value.
constexpr int kLaunchOk = 42;

bool HasScheme(const QString& target) {
    const QUrl url(target);
    // A one-letter scheme is a Windows drive letter, not a scheme.
    return url.isValid() && url.scheme().size() > 1;
}

}  // namespace

QUrl ResolveWebTarget(const QString& target) {
    const QString trimmed = target.trimmed();
    if (HasScheme(trimmed)) return QUrl(trimmed);
    QString path = trimmed;
    QString fragment;
    const qsizetype hash = path.indexOf(u'#');
    if (hash >= 0) {
        fragment = path.mid(hash + 1);
        path.truncate(hash);
    }
    if (QFileInfo(path).isRelative()) {
        path = QDir(DataFolder()).filePath(path);
    }
    QUrl url = QUrl::fromLocalFile(QDir::cleanPath(path));
    if (!fragment.isEmpty()) url.setFragment(fragment);
    return url;
}

QString WebTargetDisplayText(const QString& target) {
    const QUrl url = ResolveWebTarget(target);
    if (!url.isLocalFile()) return url.toString();
    QString text = QDir::toNativeSeparators(url.toLocalFile());
    if (url.hasFragment()) text += u'#' + url.fragment();
    return text;
}

QString WebTargetExtension(const QString& target) {
    QString piece = target;
    const qsizetype hash = piece.indexOf(u'#');
    if (hash >= 0 && !HasScheme(piece)) piece.truncate(hash);
    const qsizetype slash = std::max(piece.lastIndexOf(u'\\'), piece.lastIndexOf(u'/'));
    piece = piece.mid(slash + 1);
    const qsizetype dot = piece.lastIndexOf(u'.');
    if (dot < 0) return QString();
    return piece.mid(dot + 1).toLower();
}

QString LaunchFailureText(int result, const QString& target) {
    QString text = QStringLiteral("Error launching web browser, error code =") +
                   QString::number(result) + u'.' + kCrLf + kCrLf;
    switch (result) {
        case kLaunchNoAssociation:
            text += QStringLiteral("File extension '") + WebTargetExtension(target) +
                    QStringLiteral("' is not associated with any application program.");
            break;
        case kLaunchOutOfMemory:
            text += QStringLiteral("Out of memory.");
            break;
        case kLaunchFileNotFound:
            text += QStringLiteral("Please try once more.");
            break;
        default:
            break;
    }
    return text;
}

int OpenWebLink(Ui& ui, const QString& target) {
    const QUrl url = ResolveWebTarget(target);
    int result = kLaunchOk;
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) {
        result = kLaunchFileNotFound;
    } else if (!QDesktopServices::openUrl(url)) {
        // The desktop found no program for the address.
        result = kLaunchNoAssociation;
    }
    if (result <= kLaunchSucceeded) {
        ui.MsgBox(LaunchFailureText(result, target), QLatin1String(kLaunchErrorTitle),
                  MsgButtons::Ok, MsgIcon::Exclamation);
    }
    return result;
}

}  // namespace lxt
