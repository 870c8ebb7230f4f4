#include "PdfFile.h"

#include "PrintError.h"
#include "PrinterChoice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

PdfFile::PdfFile(const QString &path)
    : m_path(QFileInfo(path).absoluteFilePath())
{
    const QFileInfo target(m_path);
    m_temporary.setFileTemplate(target.absolutePath() + QStringLiteral("/.") + target.completeBaseName()
                                + QStringLiteral("-XXXXXX.part"));
    if (!target.absoluteDir().exists() || !m_temporary.open())
        throw PrintError(PrintError::CannotWrite, QStringLiteral("Cannot write %1: %2")
                                          .arg(m_path, target.absoluteDir().exists() ? m_temporary.errorString()
                                                                                     : QStringLiteral("no such folder")));
    m_temporary.close();
    m_printer = PrinterChoice::pdfChooser(m_temporary.fileName())(nullptr, QPageLayout::Portrait);
}

PdfFile::~PdfFile() = default;

void PdfFile::commit()
{
    QFile::remove(m_path);
    if (!m_temporary.rename(m_path))
        throw PrintError(PrintError::CannotWrite, QStringLiteral("Cannot write %1: %2").arg(m_path, m_temporary.errorString()));
    m_temporary.setAutoRemove(false);
}
