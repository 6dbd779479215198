// Changing the output format of the primary buffer. Every secondary buffer is
// released first and every row reloaded into its own slot afterwards, with
// its stored volume, pan and frequency, as a restore does.
#include "sound/playback_format.h"
#include "sound/sound_table.h"

namespace muSound {

int SelectFormat(int channels, int rate, int bits) {
  if (!soundEnabled) return 1;
  for (SoundObject& row : soundTable) ReleaseRowBuffers(row);
  mu::PlaybackFormat f = mu::MakePlaybackFormat(channels, rate, bits);
  WAVEFORMATEX format = {};
  format.wFormatTag = f.tag;
  format.nChannels = f.channels;
  format.nSamplesPerSec = f.samplesPerSec;
  format.nAvgBytesPerSec = f.avgBytesPerSec;
  format.nBlockAlign = f.blockAlign;
  format.wBitsPerSample = f.bits;
  format.cbSize = f.cbSize;
  HRESULT result = primaryBuffer ? primaryBuffer->SetFormat(&format) : DSERR_UNINITIALIZED;
  int answer = 1;
  if (FAILED(result)) {
    answer = muSystem::Error("muSound::SelectFormat", "再生フォーマットを変更できません", result);
  }
  // After a refusal the primary buffer keeps the format it had, and the rows
  // are rebuilt with it: no playback operation is left without its buffers.
  ReloadAllRows();
  return answer;
}

}  // namespace muSound
