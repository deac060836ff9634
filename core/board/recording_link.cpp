#include "core/board/recording_link.h"

#include <cstdio>

#include "core/board/protocol_bytes.h"

namespace {

std::string Hex(const unsigned char* bytes, size_t count) {
  std::string text;
  char byte[4];
  for (size_t i = 0; i < count; ++i) {
    snprintf(byte, sizeof byte, i == 0 ? "%02X" : " %02X", bytes[i]);
    text += byte;
  }
  return text;
}

// Cuts written bytes into board messages by their command bytes.
class MessageLines {
 public:
  explicit MessageLines(std::string* out) : m_out(out) {}

  void Add(const std::vector<unsigned char>& bytes) {
    for (unsigned char byte : bytes) {
      m_pending.push_back(byte);
      const int payload = PayloadLength(m_pending.front());
      if (payload >= 0 && static_cast<int>(m_pending.size()) == 1 + payload) {
        Flush();
      }
    }
  }
  // A message cut short (or bytes that are no message) still get their line.
  void Flush() {
    if (!m_pending.empty()) {
      *m_out += Hex(m_pending.data(), m_pending.size()) + "\n";
      m_pending.clear();
    }
  }

 private:
  std::string* m_out;
  std::vector<unsigned char> m_pending;
};

}  // namespace

int RecordingBoardLink::Open(const std::string& port, int baud) {
  if (m_open) {
    Close();
  }
  LinkEvent event{LinkEvent::OPEN, {}, baud, m_openResult, port};
  m_events.push_back(event);
  m_open = m_openResult == 0;
  return m_openResult;
}

void RecordingBoardLink::Close() {
  if (m_open) {
    m_events.push_back(LinkEvent{LinkEvent::CLOSE, {}, 0, 0, {}});
    m_open = false;
  }
}

int RecordingBoardLink::Write(const unsigned char* data, int length) {
  if (!m_open) {
    return 0;
  }
  ++m_writes;
  if (m_failFrom > 0 && m_writes >= m_failFrom) {
    return 0;
  }
  m_events.push_back(LinkEvent{LinkEvent::WRITE, std::vector<unsigned char>(data, data + length), 0, 0, {}});
  return length;
}

void RecordingBoardLink::Break() {
  if (m_open) {
    m_events.push_back(LinkEvent{LinkEvent::BREAK, {}, 0, 0, {}});
  }
}

void RecordingBoardLink::Pause(int milliseconds) {
  m_events.push_back(LinkEvent{LinkEvent::PAUSE, {}, milliseconds, 0, {}});
}

unsigned char RecordingBoardLink::ReadInputs() {
  unsigned char levels = m_inputs;
  if (!m_queued.empty()) {
    levels = m_queued.front();
    m_queued.pop_front();
  }
  m_events.push_back(LinkEvent{LinkEvent::READ_INPUTS, {}, levels, 0, {}});
  return levels;
}

void RecordingBoardLink::QueueInputReadings(const std::vector<unsigned char>& readings) {
  m_queued.insert(m_queued.end(), readings.begin(), readings.end());
}

std::string FormatBoardStream(const std::vector<LinkEvent>& events) {
  std::string out;
  MessageLines messages(&out);
  for (size_t i = 0; i < events.size(); ++i) {
    const LinkEvent& event = events[i];
    if (event.kind != LinkEvent::WRITE) {
      messages.Flush();
    }
    switch (event.kind) {
      case LinkEvent::WRITE:
        messages.Add(event.bytes);
        break;
      case LinkEvent::CLOSE:
        // A closing right before an opening shows as one reopening.
        if (i + 1 == events.size() || events[i + 1].kind != LinkEvent::OPEN) {
          out += "# close\n";
        }
        break;
      case LinkEvent::OPEN:
        out += i > 0 && events[i - 1].kind == LinkEvent::CLOSE ? "# reopen at " : "# open at ";
        out += std::to_string(event.value);
        out += event.result == 0 ? "\n" : " failed\n";
        break;
      case LinkEvent::BREAK:
        out += "# break\n";
        break;
      case LinkEvent::PAUSE:
        out += "# pause " + std::to_string(event.value) + " ms\n";
        break;
      case LinkEvent::READ_INPUTS:
        break;  // reading the pins sends nothing
    }
  }
  messages.Flush();
  return out;
}

std::vector<std::string> EventLines(const std::vector<LinkEvent>& events) {
  std::vector<std::string> lines;
  for (const LinkEvent& event : events) {
    switch (event.kind) {
      case LinkEvent::OPEN:
        lines.push_back("open " + std::to_string(event.value) +
                        (event.result == 0 ? "" : " -> " + std::to_string(event.result)));
        break;
      case LinkEvent::CLOSE:
        lines.push_back("close");
        break;
      case LinkEvent::WRITE:
        lines.push_back("write " + Hex(event.bytes.data(), event.bytes.size()));
        break;
      case LinkEvent::BREAK:
        lines.push_back("break");
        break;
      case LinkEvent::PAUSE:
        lines.push_back("pause " + std::to_string(event.value));
        break;
      case LinkEvent::READ_INPUTS:
      {
        const unsigned char levels = static_cast<unsigned char>(event.value);
        lines.push_back("inputs " + Hex(&levels, 1));
        break;
      }
    }
  }
  return lines;
}
