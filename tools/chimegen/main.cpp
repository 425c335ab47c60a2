// chimegen: writes libs/sound/chime.wav, the hourly chime of mdxsound.dll.
//
// The chime is a jet aeroplane passing low overhead. It is synthesised from a
// small physical model so that it sounds like a real fly-over and not like a
// swept tone:
//   - two sources ride on the aircraft: the jet roar (shaped noise with slow
//     turbulence) and the turbine whine (fan and compressor tones);
//   - the aircraft flies a straight line over the listener; every output sample
//     is read from the source signal at its emission (retarded) time, which
//     gives the exact Doppler pitch sweep for tones and noise alike;
//   - the ground reflection arrives a few milliseconds after the direct sound,
//     and the changing delay between the two paths makes the sweeping comb
//     ("phasing") typical of aircraft fly-overs;
//   - loudness follows 1 / distance and the sources' directivity (whine ahead
//     of the aircraft, roar behind it), and the air absorbs high frequencies
//     more the further away the aircraft is.
// All randomness comes from one generator with a fixed seed, so every run
// writes the same bytes.
//
// Usage: chimegen [output.wav]   (default: <source dir>/libs/sound/chime.wav)

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "raster/little_endian.h"

namespace {

// Output format of the resource (mono, 8-bit unsigned, 20 kHz).
constexpr int kSampleRate = 20000;
constexpr int kSampleCount = 188940;
constexpr double kPi = 3.14159265358979323846;

// Fly-over geometry (metres, seconds).
constexpr double kSpeedOfSound = 343.0;
constexpr double kAltitude = 95.0;       // flight level above the ground
constexpr double kListenerHeight = 1.6;  // ears above the ground
constexpr double kSpeed = 78.0;          // ground speed of the aircraft
constexpr double kOverheadTime = 4.35;   // emission time when it is straight overhead
constexpr double kGroundReflection = 0.72;

// xorshift32 with a fixed seed: the same sequence on every platform.
class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed) {}
  uint32_t next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  double uniform() { return (next() >> 8) * (1.0 / 16777216.0); }  // [0, 1)
  // Approximately normal (sum of four uniforms), zero mean, unit variance.
  double gauss() {
    double s = uniform() + uniform() + uniform() + uniform();
    return (s - 2.0) * std::sqrt(3.0);
  }

 private:
  uint32_t state_;
};

// Second-order section (RBJ cookbook), direct form I.
struct Biquad {
  double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;

  static Biquad lowpass(double f, double q) {
    const Terms t = terms(f, q);
    return normalised(t, (1 - t.c) / 2, 1 - t.c, (1 - t.c) / 2);
  }
  static Biquad highpass(double f, double q) {
    const Terms t = terms(f, q);
    return normalised(t, (1 + t.c) / 2, -(1 + t.c), (1 + t.c) / 2);
  }
  // Band-pass with 0 dB peak gain.
  static Biquad bandpass(double f, double q) {
    const Terms t = terms(f, q);
    return normalised(t, t.alpha, 0, -t.alpha);
  }
  double operator()(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }

 private:
  // The cookbook's terms at centre or corner frequency f and quality q: cos w and alpha.
  struct Terms {
    double c, alpha;
  };
  static Terms terms(double f, double q) {
    const double w = 2 * kPi * f / kSampleRate;
    return {std::cos(w), std::sin(w) / (2 * q)};
  }
  // A filter's numerator with the denominator all three share, both divided by a0.
  static Biquad normalised(const Terms& t, double b0, double b1, double b2) {
    const double a0 = 1 + t.alpha;
    Biquad s;
    s.b0 = b0 / a0;
    s.b1 = b1 / a0;
    s.b2 = b2 / a0;
    s.a1 = -2 * t.c / a0;
    s.a2 = (1 - t.alpha) / a0;
    return s;
  }
};

// One-pole low-pass whose cutoff may change every sample.
struct OnePole {
  double y = 0;
  double operator()(double x, double cutoff) {
    const double k = 1.0 - std::exp(-2 * kPi * cutoff / kSampleRate);
    y += k * (x - y);
    return y;
  }
};

// Slowly wandering random value in about [-1, 1]: white noise through two
// one-pole low-passes at `rate` Hz, rescaled.
class Wander {
 public:
  Wander(Random& rng, double rate, double gain) : rng_(rng), rate_(rate), gain_(gain) {}
  double operator()() { return gain_ * b_(a_(rng_.gauss(), rate_), rate_); }

 private:
  Random& rng_;
  double rate_, gain_;
  OnePole a_, b_;
};

// The two sources as the aircraft emits them, on the emission time axis.
struct SourceSignals {
  double start = 0;  // emission time of sample 0
  std::vector<double> roar, whine;
};

SourceSignals synthesiseSources(double start, double end, Random& rng) {
  SourceSignals src;
  src.start = start;
  const size_t n = static_cast<size_t>((end - start) * kSampleRate) + 8;
  src.roar.resize(n);
  src.whine.resize(n);

  // Jet roar: broadband noise weighted towards low-mid frequencies, a broad
  // hump around 450 Hz, a rumble below 120 Hz, a hiss band near 3 kHz, all
  // modulated by slow turbulence. Band-limited so that the Doppler
  // compression (up to about 1.3x) cannot fold anything over 10 kHz.
  Biquad rumbleLp = Biquad::lowpass(110, 0.7);
  Biquad roarBp = Biquad::bandpass(450, 0.55);
  Biquad roarBp2 = Biquad::bandpass(1100, 0.7);
  Biquad hissBp = Biquad::bandpass(3000, 0.8);
  Biquad srcLp1 = Biquad::lowpass(6500, 0.707);
  Biquad srcLp2 = Biquad::lowpass(6500, 0.707);
  Biquad dcCut = Biquad::highpass(35, 0.707);
  Wander turbulence(rng, 9.0, 9.0);
  Wander rumbleSwell(rng, 2.0, 8.0);

  // Turbine whine: the fan's blade-passing tone and its harmonic, a higher
  // compressor tone and a low shaft hum, each with a little frequency wander
  // and amplitude flutter.
  struct Tone {
    double freq, level, phase;
  };
  Tone tones[] = {
      {1730.0, 1.00, 0.0},
      {3460.0, 0.35, 1.1},
      {2610.0, 0.45, 2.3},
      {4870.0, 0.22, 0.4},
      {205.0, 0.30, 0.9},
  };
  Wander pitchWander(rng, 1.5, 6.0);
  Wander flutter(rng, 6.0, 8.0);
  Biquad whineNoiseBp = Biquad::bandpass(1730, 6.0);

  for (size_t i = 0; i < n; ++i) {
    const double w = rng.gauss();
    const double turb = 1.0 + 0.25 * turbulence();
    const double swell = 1.0 + 0.35 * rumbleSwell();
    double roar = 2.4 * swell * rumbleLp(w) + 1.0 * roarBp(w) + 0.55 * roarBp2(w) + 0.28 * hissBp(w);
    roar = dcCut(srcLp2(srcLp1(roar * turb)));
    src.roar[i] = roar;

    const double drift = 1.0 + 0.004 * pitchWander();
    const double amp = 1.0 + 0.12 * flutter();
    double whine = 0;
    for (Tone& t : tones) {
      t.phase += 2 * kPi * t.freq * drift / kSampleRate;
      if (t.phase > 2 * kPi) t.phase -= 2 * kPi;
      whine += t.level * std::sin(t.phase);
    }
    // A narrow noise band around the fan tone keeps the whine from sounding
    // like a pure oscillator.
    whine += 2.5 * whineNoiseBp(rng.gauss());
    src.whine[i] = amp * whine;
  }
  return src;
}

// Value of a source at emission time te, cubic (Catmull-Rom) interpolation.
double sampleAt(const std::vector<double>& s, double start, double te) {
  const double pos = (te - start) * kSampleRate;
  long i = static_cast<long>(std::floor(pos));
  const double f = pos - i;
  auto at = [&](long k) {
    k = std::clamp<long>(k, 0, static_cast<long>(s.size()) - 1);
    return s[static_cast<size_t>(k)];
  };
  const double p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
  return p1 + 0.5 * f *
                  (p2 - p0 + f * (2 * p0 - 5 * p1 + 4 * p2 - p3 + f * (3 * (p1 - p2) + p3 - p0)));
}

// Where the aircraft is along its track (metres past the overhead point) at
// emission time te.
double trackPosition(double te) { return kSpeed * (te - kOverheadTime); }

// Emission time of the sound that reaches the listener at time t over a path
// whose source height above the listener's ears is `dh`: solves
// t = te + distance(te) / c by Newton's method.
double emissionTime(double t, double dh) {
  double te = t - std::hypot(trackPosition(t), dh) / kSpeedOfSound;
  for (int k = 0; k < 6; ++k) {
    const double x = trackPosition(te);
    const double r = std::hypot(x, dh);
    const double g = te + r / kSpeedOfSound - t;
    const double dg = 1.0 + kSpeed * x / (r * kSpeedOfSound);
    te -= g / dg;
  }
  return te;
}

// Directivity weight for an angle between the flight direction and the line
// from the aircraft to the listener (0 = listener straight ahead).
double lobe(double angleDeg, double centre, double width, double floor) {
  const double d = (angleDeg - centre) / width;
  return floor + (1.0 - floor) * std::exp(-d * d);
}

double raisedCosine(double x) {  // 0 at x <= 0, 1 at x >= 1
  if (x <= 0) return 0;
  if (x >= 1) return 1;
  return 0.5 - 0.5 * std::cos(kPi * x);
}

std::vector<uint8_t> synthesise() {
  Random rng(0x4D445843u);  // fixed seed
  const double duration = static_cast<double>(kSampleCount) / kSampleRate;
  const double dhDirect = kAltitude - kListenerHeight;
  const double dhReflected = kAltitude + kListenerHeight;
  const double start = emissionTime(0.0, dhReflected) - 0.05;
  const double end = emissionTime(duration, dhDirect) + 0.05;
  const SourceSignals src = synthesiseSources(start, end, rng);

  std::vector<double> mix(kSampleCount);
  OnePole air1, air2;
  for (int i = 0; i < kSampleCount; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    double out = 0;
    for (int path = 0; path < 2; ++path) {
      const double dh = path == 0 ? dhDirect : dhReflected;
      const double te = emissionTime(t, dh);
      const double x = trackPosition(te);
      const double r = std::hypot(x, dh);
      // Angle between flight direction and the line aircraft -> listener.
      const double angle = std::atan2(dh, -x) * 180.0 / kPi;
      const double gain = (path == 0 ? 1.0 : kGroundReflection) * (kAltitude / r);
      const double roarGain = lobe(angle, 128.0, 42.0, 0.30);
      const double whineGain = lobe(angle, 55.0, 38.0, 0.10);
      out += gain * (roarGain * sampleAt(src.roar, src.start, te) +
                     0.16 * whineGain * sampleAt(src.whine, src.start, te));
    }
    mix[i] = out;
  }

  // Air absorption: the further away, the duller. Computed on the direct
  // path's distance; the two paths differ by only a few metres.
  for (int i = 0; i < kSampleCount; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double r = std::hypot(trackPosition(emissionTime(t, dhDirect)), dhDirect);
    const double cutoff = std::clamp(8500.0 * std::pow(kAltitude / r, 1.6), 700.0, 8500.0);
    mix[i] = air2(air1(mix[i], cutoff), cutoff * 1.4);
  }

  // Gentle level compression (about 1.5 : 1) from a smoothed, zero-lag
  // envelope, so that the far approach and the departure are audible on a
  // small speaker and not lost in 8-bit quantisation.
  {
    std::vector<double> env(kSampleCount);
    OnePole fwd, bwd;
    for (int i = 0; i < kSampleCount; ++i) env[i] = fwd(mix[i] * mix[i], 4.0);
    for (int i = kSampleCount - 1; i >= 0; --i) env[i] = bwd(env[i], 4.0);
    double top = 0;
    for (double e : env) top = std::max(top, e);
    for (int i = 0; i < kSampleCount; ++i) {
      const double rel = std::sqrt(std::max(env[i], 1e-12) / top);
      mix[i] *= std::min(8.0, std::pow(rel, -0.33));
    }
  }

  // Fade in from silence and out to silence.
  constexpr double kFadeIn = 1.3, kFadeOut = 1.9;
  for (int i = 0; i < kSampleCount; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    mix[i] *= raisedCosine(t / kFadeIn) * raisedCosine((duration - t) / kFadeOut);
  }

  // Normalise, then a gentle soft saturation that lifts the quieter parts
  // without ever reaching full scale.
  double peak = 0;
  for (double v : mix) peak = std::max(peak, std::fabs(v));
  const double drive = 1.6;
  const double norm = std::tanh(drive);
  std::vector<uint8_t> pcm(kSampleCount);
  for (int i = 0; i < kSampleCount; ++i) {
    const double v = std::tanh(drive * mix[i] / peak) / norm;  // |v| <= 1
    const double dither = (rng.uniform() - rng.uniform());    // triangular, +-1 LSB
    const double level = 112.0 * v + dither * std::min(1.0, std::fabs(v) * 40.0);
    const long q = std::lround(128.0 + level);
    pcm[i] = static_cast<uint8_t>(std::clamp<long>(q, 1, 255));
  }
  return pcm;
}

void putTag(std::vector<uint8_t>& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }

std::vector<uint8_t> wavFile(const std::vector<uint8_t>& pcm) {
  std::vector<uint8_t> b;
  putTag(b, "RIFF");
  mdx::appendLe32(b, static_cast<uint32_t>(4 + 8 + 16 + 8 + pcm.size()));
  putTag(b, "WAVE");
  putTag(b, "fmt ");
  mdx::appendLe32(b, 16);
  mdx::appendLe16(b, 1);            // PCM
  mdx::appendLe16(b, 1);            // mono
  mdx::appendLe32(b, kSampleRate);  // samples per second
  mdx::appendLe32(b, kSampleRate);  // bytes per second
  mdx::appendLe16(b, 1);            // block alignment
  mdx::appendLe16(b, 8);            // bits per sample
  putTag(b, "data");
  mdx::appendLe32(b, static_cast<uint32_t>(pcm.size()));
  b.insert(b.end(), pcm.begin(), pcm.end());
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  std::string path = argc > 1 ? argv[1] : std::string(MDX_SOURCE_DIR) + "/libs/sound/chime.wav";
  const std::vector<uint8_t> file = wavFile(synthesise());
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    std::perror(path.c_str());
    return 1;
  }
  const bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
  if (std::fclose(f) != 0 || !ok) {
    std::fprintf(stderr, "chimegen: could not write %s\n", path.c_str());
    return 1;
  }
  std::printf("chimegen: wrote %s (%zu bytes)\n", path.c_str(), file.size());
  return 0;
}
