// Fakes of the mail client and of the system side of Simple MAPI, recording what they were given.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/system/Mail.h"

namespace penlet {

class FakeMailSystem : public MailSystem {
 public:
  std::uint32_t Send(std::string body) override {
    bodies.push_back(std::move(body));
    return result;
  }
  void KeepAnsweringHoldingInput() override {
    ++answers;
    if (onAnswer) onAnswer();
  }
  std::uint32_t result = kMapiSuccess;
  std::vector<std::string> bodies;
  int answers = 0;
  std::function<void()> onAnswer;  // what another program does while the window answers
};

class FakeMapiRegistry : public MapiRegistry {
 public:
  void Version(unsigned& major, unsigned& minor) override {
    ++checks;
    major = this->major;
    minor = this->minor;
  }
  bool MessagingValue(char (&buffer)[9]) override {
    if (!keyOpens) return false;
    for (size_t i = 0; i < value.size() && i < sizeof buffer; ++i) buffer[i] = value[i];
    return value.size() <= sizeof buffer;  // a longer value does not fit and is not read
  }
  int ProfileMapi() override { return profile; }

  unsigned major = 10, minor = 0;
  bool keyOpens = true;
  std::string value = std::string("1\0", 2);  // the bytes stored, terminator included
  int profile = 0;
  int checks = 0;
};

class FakeMapiLibrary : public MapiLibrary {
 public:
  bool Load() override {
    ++loads;
    loaded = loadable;
    return loaded;
  }
  bool FindSendMail() override {
    ++lookups;
    return loaded && hasEntry;
  }
  std::uint32_t CallSendMail(std::string body) override {
    bodies.push_back(std::move(body));
    return result;
  }

  bool loadable = true;
  bool hasEntry = true;
  bool loaded = false;
  std::uint32_t result = kMapiSuccess;
  int loads = 0, lookups = 0;
  std::vector<std::string> bodies;
};

}  // namespace penlet
