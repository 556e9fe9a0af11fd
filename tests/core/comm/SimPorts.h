#pragma once

// In-process drive lines by device name, for the detection tests: each device is a
// SimSerialPort on its own SimEngine (an engine without drives is a silent port), devices in
// `refused` do not open, and every frame written is recorded with its device and line.

#include "comm/SerialPort.h"
#include "drivesim/SimDataLoader.h"
#include "drivesim/SimEngine.h"
#include "drivesim/SimSerialPort.h"

#include <QList>
#include <map>
#include <memory>

class SimPorts : public SerialPort
{
public:
    struct Frame {
        QString device;
        LineSettings line;
        QByteArray bytes;
    };

    /// A drive of the sample data on device `name`, listening with the given line and protocol.
    SimDrive *addDrive(const QString &name, const QString &type, const QString &form, const QString &cpu,
                       bool modbus = false, int baud = 9600, SimParity parity = SimParity::Even,
                       const QString &dataFolder = QStringLiteral(VKR_SAMPLE_DATA "/dat"))
    {
        SimDriveData data;
        QString error;
        if (!SimDataLoader::load(dataFolder, type, form, cpu, &data, &error))
            return nullptr;
        SimLineSettings own;
        own.baud = baud;
        own.parity = parity;
        Line &line = m_lines[name];
        line.engine = std::make_unique<SimEngine>(modbus ? SimEngine::Protocol::Modbus : SimEngine::Protocol::Native,
                                                  own);
        line.port = std::make_unique<SimSerialPort>(*line.engine);
        auto drive = std::make_unique<SimDrive>(std::move(data), 0);
        SimDrive *raw = drive.get();
        line.engine->addDrive(std::move(drive));
        return raw;
    }
    /// A device that opens but where nothing answers.
    void addSilent(const QString &name)
    {
        Line &line = m_lines[name];
        line.engine = std::make_unique<SimEngine>();
        line.port = std::make_unique<SimSerialPort>(*line.engine);
    }

    SimEngine *engine(const QString &name)
    {
        auto it = m_lines.find(name);
        return it == m_lines.end() ? nullptr : it->second.engine.get();
    }

    QStringList refused;
    QList<Frame> frames;

    bool open(const QString &deviceName) override
    {
        close();
        auto it = m_lines.find(deviceName);
        if (refused.contains(deviceName) || it == m_lines.end())
            return false;
        m_device = deviceName;
        m_current = it->second.port.get();
        return m_current->open(deviceName);
    }
    bool setLine(const LineSettings &line) override
    {
        m_line = line;
        return m_current && m_current->setLine(line);
    }
    void close() override
    {
        if (m_current)
            m_current->close();
        m_current = nullptr;
    }
    bool isOpen() const override { return m_current && m_current->isOpen(); }
    void purge() override
    {
        if (m_current)
            m_current->purge();
    }
    void setRts(bool) override {}
    bool write(const QByteArray &frame) override
    {
        frames.append({m_device, m_line, frame});
        return m_current && m_current->write(frame);
    }
    int queuedInput() override { return m_current ? m_current->queuedInput() : 0; }
    QByteArray read(int count) override { return m_current ? m_current->read(count) : QByteArray(); }
    int waitForInput(int count, QDeadlineTimer deadline) override
    {
        if (m_current)
            return m_current->waitForInput(count, deadline);
        return 0;
    }

private:
    struct Line {
        std::unique_ptr<SimEngine> engine;
        std::unique_ptr<SimSerialPort> port;
    };
    std::map<QString, Line> m_lines;
    SimSerialPort *m_current = nullptr;
    QString m_device;
    LineSettings m_line;
};
