// The recordings through Web Audio. The fragments of one sentence are scheduled back to
// back on the audio clock, so they join without gaps; a new sentence, or a key, cuts the
// one sounding. Nothing sounds before the player's first key or click: browsers allow
// audio only after a gesture, and a page that starts talking by itself is a surprise.
//
// Every phrase that starts is written down (startedPhrases) in order: what the player
// heard, for the player's own history and for the page's tests.

export interface StartedPhrase {
  file: string;
  at: number; // performance.now() when it started, in ms
}

export class PhrasePlayer {
  private context: AudioContext | null = null;
  private readonly buffers = new Map<string, Promise<AudioBuffer | null>>();
  private playing: { source: AudioBufferSourceNode; entry: StartedPhrase }[] = [];
  private sentence = 0;
  private readonly extension: string;
  readonly startedPhrases: StartedPhrase[] = [];

  constructor() {
    // Opus where the browser plays it, MP3 elsewhere.
    this.extension = new Audio().canPlayType('audio/ogg; codecs="opus"') === "" ? "mp3" : "opus";
  }

  get unlocked(): boolean {
    return this.context !== null;
  }

  // Called on the first key or click, inside its handler, as browsers demand.
  unlock(): void {
    if (this.context !== null) return;
    this.context = new AudioContext();
    void this.context.resume();
  }

  // Plays the sentence's recordings in order, cutting whatever was sounding.
  async play(files: string[]): Promise<void> {
    this.cut();
    const context = this.context;
    if (context === null || files.length === 0) return;
    const sentence = this.sentence;
    const buffers = await Promise.all(files.map((file) => this.load(file)));
    if (sentence !== this.sentence) return; // cut while loading
    let start = context.currentTime + 0.005;
    files.forEach((file, index) => {
      const buffer = buffers[index];
      if (!buffer) return; // a missing recording: the rest of the sentence still sounds
      const source = context.createBufferSource();
      source.buffer = buffer;
      source.connect(context.destination);
      source.start(start);
      const entry = { file, at: performance.now() + (start - context.currentTime) * 1000 };
      this.startedPhrases.push(entry);
      this.playing.push({ source, entry });
      start += buffer.duration;
    });
  }

  // Stops the sentence; phrases that had not started yet are struck from the record.
  cut(): void {
    this.sentence += 1;
    const now = performance.now();
    for (const { source, entry } of this.playing) {
      source.stop();
      if (entry.at > now) this.startedPhrases.splice(this.startedPhrases.indexOf(entry), 1);
    }
    this.playing = [];
  }

  private load(file: string): Promise<AudioBuffer | null> {
    let buffer = this.buffers.get(file);
    if (!buffer) {
      const context = this.context;
      buffer = fetch(`zvuky/${encodeURIComponent(file)}.${this.extension}`)
        .then((response) => (response.ok ? response.arrayBuffer() : Promise.reject(new Error(response.statusText))))
        .then((bytes) => (context ? context.decodeAudioData(bytes) : null))
        .catch(() => {
          this.buffers.delete(file); // tried again next time
          return null;
        });
      this.buffers.set(file, buffer);
    }
    return buffer;
  }
}
