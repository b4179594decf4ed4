#include "core/ThreadCommand.h"

CThreadCommandCore::CThreadCommandCore() : m_result(0) {}

CThreadCommandCore::CThreadCommandCore(const CThreadCommandCore& other) : m_result(other.m_result) {}

CThreadCommandCore& CThreadCommandCore::operator=(const CThreadCommandCore& other) {
  m_result = other.m_result;
  return *this;
}

CThreadCommandCore::~CThreadCommandCore() = default;

void CThreadCommandCore::Execute() { m_result = DoCommand(); }

INT_PTR CThreadCommandCore::GetResult() const { return m_result; }
