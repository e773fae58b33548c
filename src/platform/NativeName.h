#pragma once

#include <QFile>
#include <QStringEncoder>
#include <QStringView>
#include <QVarLengthArray>

// A path as the system calls take it, held on the stack: QFile::encodeName() allocates twice,
// and every settings or language lookup names several paths.
class NativeName
{
public:
    explicit NativeName(QStringView path)
    {
#ifdef Q_OS_UNIX
        // What encodeName() makes of it there: the system encoding, which Qt takes as UTF-8.
        QStringEncoder encoder(QStringEncoder::System, QStringEncoder::Flag::Stateless);
        m_bytes.resize(encoder.requiredSpace(path.size()) + 1);
        char *end = encoder.appendToBuffer(m_bytes.data(), path);
        *end = '\0';
#else
        const QByteArray encoded = QFile::encodeName(path.toString());
        m_bytes.assign(encoded.constData(), encoded.constData() + encoded.size() + 1);
#endif
    }
    const char *c_str() const { return m_bytes.constData(); }

private:
    QVarLengthArray<char, 256> m_bytes;
};
