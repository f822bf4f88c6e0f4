#include "platform/CodePage.h"

namespace platform {
namespace {
unsigned g_leadByteCodePage = 0;
}  // namespace

bool IsLeadByte(unsigned char byte) { return native::IsLeadByteOf(g_leadByteCodePage, byte); }

ScopedLeadByteCodePage::ScopedLeadByteCodePage(unsigned codePage) : m_previous(g_leadByteCodePage) {
  g_leadByteCodePage = codePage;
}
ScopedLeadByteCodePage::~ScopedLeadByteCodePage() { g_leadByteCodePage = m_previous; }

}  // namespace platform
