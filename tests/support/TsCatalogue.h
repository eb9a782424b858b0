#pragma once
// A Qt Linguist .ts catalogue as the tests read it: every message with its
// context, source, kind and translation(s). Header only.
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

struct TsMessage
{
    QString context;
    QString source;
    bool numerus = false;
    QString type;             // "", "unfinished", "vanished" or "obsolete"
    QStringList translations; // one, or one per plural form
};

struct TsCatalogue
{
    QString language;
    QList<TsMessage> messages;
    QString error; // empty when the file was read whole

    // The text of an element, with lupdate's <byte value="xd"/> for characters XML cannot hold.
    static QString mixedText(QXmlStreamReader &xml)
    {
        QString text;
        const QString end = xml.name().toString();
        while (!xml.atEnd()) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::Characters)
                text += xml.text();
            else if (token == QXmlStreamReader::StartElement && xml.name() == QLatin1String("byte"))
                text += QChar(
                    xml.attributes().value(QLatin1String("value")).mid(1).toUInt(nullptr, 16));
            else if (token == QXmlStreamReader::EndElement && xml.name() == end)
                break;
        }
        return text;
    }

    static TsCatalogue parse(const QByteArray &data)
    {
        TsCatalogue out;
        QXmlStreamReader xml(data);
        QString context;
        TsMessage *message = nullptr;
        while (!xml.atEnd()) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("message"))
                message = nullptr;
            if (token != QXmlStreamReader::StartElement)
                continue;
            const auto name = xml.name();
            if (name == QLatin1String("TS")) {
                out.language = xml.attributes().value(QLatin1String("language")).toString();
            } else if (name == QLatin1String("name") && !message) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                out.messages.append(TsMessage());
                message = &out.messages.last();
                message->context = context;
                message->numerus
                    = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
            } else if (message && name == QLatin1String("source")) {
                message->source = mixedText(xml);
            } else if (message && name == QLatin1String("translation")) {
                message->type = xml.attributes().value(QLatin1String("type")).toString();
                if (!message->numerus)
                    message->translations << mixedText(xml);
            } else if (message && name == QLatin1String("numerusform")) {
                message->translations << mixedText(xml);
            }
        }
        if (xml.hasError())
            out.error = xml.errorString();
        return out;
    }

    static TsCatalogue read(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            TsCatalogue out;
            out.error = file.errorString();
            return out;
        }
        return parse(file.readAll());
    }
};
