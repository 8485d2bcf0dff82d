#include "SoDBImpl.h"

int SoDBImpl::m_isZemba = 0;

void SoDBChecks::checkDatabase(const char *, SoBase *, SoType, SoType &) {}
