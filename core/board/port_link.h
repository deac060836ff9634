#pragma once
// The link of whichever port a board command names: on each opening of a
// port name other than the last, the link of the last is closed and a
// factory makes the link of the new name (BoardLines::MakeLink in the
// programs, recording links in tests). Before any opening, pauses sleep
// and the inputs read inactive, as with no port.
#include <functional>
#include <memory>

#include "core/board/board_link.h"

using LinkFactory = std::function<std::unique_ptr<BoardLink>(const std::string& port)>;

class PortLink : public BoardLink {
 public:
  explicit PortLink(LinkFactory factory) : m_factory(std::move(factory)) {}

  int Open(const std::string& port, int baud) override;
  void Close() override;
  bool IsOpen() const override { return m_link != nullptr && m_link->IsOpen(); }
  int Write(const unsigned char* data, int length) override;
  void Break() override;
  void Pause(int milliseconds) override;
  unsigned char ReadInputs() override;
  void InterruptPausesWith(const std::atomic<bool>* interrupt) override;

 private:
  LinkFactory m_factory;
  const std::atomic<bool>* m_interrupt = nullptr;
  std::unique_ptr<BoardLink> m_link;
  std::string m_port;
};
