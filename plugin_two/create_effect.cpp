// The effect class this library's entry creates for each instance.
#include "aum.h"
#include "entry.h"

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
  return new quorv1_02::AUM(audioMaster);
}
