#include "platform/OsVersion.h"

namespace platform {
namespace {
const Wow64Answer* g_wow64Override = nullptr;
}  // namespace

Wow64Answer QueryWow64() { return g_wow64Override ? *g_wow64Override : native::QueryWow64(); }

ScopedWow64Override::ScopedWow64Override(Wow64Answer answer)
    : m_previous(g_wow64Override), m_answer(answer) {
  g_wow64Override = &m_answer;
}
ScopedWow64Override::~ScopedWow64Override() { g_wow64Override = m_previous; }

}  // namespace platform
