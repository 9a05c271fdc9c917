#include "platform/classlib/DataModule.h"

TDataModule::TDataModule(TComponent* AOwner) : TComponent(AOwner) {}
