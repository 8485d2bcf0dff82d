#include "SoConvertGuts.h"

SoConvertGuts::SoConvertGuts() {}
SoConvertGuts::~SoConvertGuts() {}
void SoConvertGuts::reset() {}
int SoConvertGuts::convertSoGroup(SoGroup *) { return 1; }
int SoConvertGuts::convertSoBaseKit(SoBaseKit *) { return 1; }
