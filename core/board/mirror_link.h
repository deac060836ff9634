#pragma once
// A link that passes everything to the link it wraps and tells a mirror
// what went through: each opening that worked, the bytes the line took and
// each break on an open line. The mirror decodes that into a chain a board
// monitor can watch (board_lines.h), so that a real port shows what the
// boards on it were told.
#include <memory>

#include "core/board/board_link.h"

class LinkMirror {
 public:
  virtual ~LinkMirror() = default;
  virtual void Opened(const std::string& port, int baud) = 0;
  virtual void Took(const unsigned char* data, int length) = 0;
  virtual void Broke() = 0;
};

class MirrorLink : public BoardLink {
 public:
  // `mirror` must outlive the link.
  MirrorLink(std::unique_ptr<BoardLink> link, LinkMirror& mirror) : m_link(std::move(link)), m_mirror(mirror) {}

  int Open(const std::string& port, int baud) override;
  void Close() override { m_link->Close(); }
  bool IsOpen() const override { return m_link->IsOpen(); }
  int Write(const unsigned char* data, int length) override;
  void Break() override;
  void Pause(int milliseconds) override { m_link->Pause(milliseconds); }
  unsigned char ReadInputs() override { return m_link->ReadInputs(); }
  void InterruptPausesWith(const std::atomic<bool>* interrupt) override { m_link->InterruptPausesWith(interrupt); }

 private:
  std::unique_ptr<BoardLink> m_link;
  LinkMirror& m_mirror;
};
