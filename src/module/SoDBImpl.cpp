#include "SoDBImpl.h"

int SoDBImpl::m_isZemba = 0;

void SoDBChecks::checkDatabase(const char *, SoBase *, SoType, SoType &) {}

void SoDBChecks::checkDatabase(const char *, const void *, SoType, SoType &) {}
