#include "platform/MsiService.h"

namespace msi {
namespace {
IService* g_override = nullptr;
}  // namespace

IService& Service() { return g_override ? *g_override : SystemService(); }

ScopedServiceOverride::ScopedServiceOverride(IService& service) : m_previous(g_override) {
  g_override = &service;
}
ScopedServiceOverride::~ScopedServiceOverride() { g_override = m_previous; }

}  // namespace msi
