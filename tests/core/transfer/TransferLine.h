#pragma once

// The sample KDA1 drive loaded into the tool's tables, and a simulated KDA1 on the in-process
// line, with a tap between them that records the frames and can lose or alter replies.

#include "../files/SampleDrive.h"

#include "comm/CommExchange.h"
#include "comm/DriveFrameItems.h"
#include "comm/NativeFrames.h"
#include "drivesim/SimDataLoader.h"
#include "drivesim/SimEngine.h"
#include "drivesim/SimSerialPort.h"
#include "transfer/TransferRun.h"
#include "transfer/TransferTexts.h"

#include <QSet>
#include <memory>

class TapPort : public SerialPort
{
public:
    explicit TapPort(SerialPort &inner) : m_inner(inner) {}

    QList<QByteArray> frames;  // every frame written, in order
    QSet<int> lose;            // numbers (0-based) of the frames whose reply is lost
    int alterEcho = -1;        // native: the echo of this frame carries value + 1

    bool open(const QString &d) override { return m_inner.open(d); }
    bool setLine(const LineSettings &l) override { return m_inner.setLine(l); }
    void close() override { m_inner.close(); }
    bool isOpen() const override { return m_inner.isOpen(); }
    void purge() override { m_inner.purge(); }
    void setRts(bool high) override { m_inner.setRts(high); }
    bool write(const QByteArray &frame) override
    {
        m_current = int(frames.size());
        frames.append(frame);
        return m_inner.write(frame);
    }
    int queuedInput() override { return lost() ? 0 : m_inner.queuedInput(); }
    QByteArray read(int count) override
    {
        QByteArray bytes = m_inner.read(count);
        if (m_current == alterEcho && bytes.size() >= 7) {
            bytes[5] = char(bytes[5] + 1);
            bytes[6] = char(NativeCheckValue(bytes, 6));
        }
        return bytes;
    }
    int waitForInput(int count, QDeadlineTimer deadline) override
    {
        if (lost()) {
            m_inner.waitForInput(1 << 20, deadline);
            return 0;
        }
        return m_inner.waitForInput(count, deadline);
    }

private:
    bool lost() const { return lose.contains(m_current); }

    SerialPort &m_inner;
    int m_current = -1;
};

struct TransferLine {
    SampleDrive tool;
    std::unique_ptr<SimEngine> engine;
    std::unique_ptr<SimSerialPort> sim;
    std::unique_ptr<TapPort> port;
    CommSettings settings;
    std::unique_ptr<DriveFrameItems> items;
    std::unique_ptr<CommExchange> exchange;
    TransferTexts texts;
    TransferOptions options;

    bool setUp(bool modbus = false, const SimFaultRates &faults = {})
    {
        if (!tool.load())
            return false;
        SimDriveData data;
        QString error;
        if (!SimDataLoader::load(QStringLiteral(VKR_SAMPLE_DATA "/dat"), QStringLiteral("KDA1"), QStringLiteral("-2004P"),
                                 QStringLiteral("V100"), &data, &error))
            return false;
        engine = std::make_unique<SimEngine>(modbus ? SimEngine::Protocol::Modbus : SimEngine::Protocol::Native);
        engine->addDrive(std::make_unique<SimDrive>(data, 0));
        engine->setFaults(faults);
        sim = std::make_unique<SimSerialPort>(*engine);
        port = std::make_unique<TapPort>(*sim);
        settings.protocol = modbus ? CommSettings::Modbus : CommSettings::Native;
        // Long enough for a reply on a loaded machine; only lost replies wait it out.
        settings.timeoutMs = 100;
        settings.updateGap();
        items = std::make_unique<DriveFrameItems>(tool.data);
        exchange = std::make_unique<CommExchange>(*port, settings, items.get());
        texts.messages = tool.messages;
        return port->open(QStringLiteral("sim")) && port->setLine(settings.line());
    }

    SimDrive &drive() { return *engine->drive(0); }
    DriveData &data() { return tool.data; }
    int indexOf(const char *comNo) { return tool.data.IndexOfComNo(QString::fromLatin1(comNo)); }
    QString value(int index) { return tool.data.uPara.at(index, UPara::Value); }

    std::unique_ptr<TransferRun> run(TransferMode mode, int last = -1)
    {
        auto r = std::make_unique<TransferRun>(mode, tool.data, *exchange, tool.prompter, texts, options,
                                               last >= 0 ? last : tool.data.lastIndex);
        r->run();
        return r;
    }
};
