// The screen reader's voice: one polite, atomic live region, present and empty from the
// page's load (index.html). Each utterance replaces the last as a new element marked with
// its language, so a screen reader says it once, and says it again when it is repeated.
export class LiveRegion {
  constructor(private readonly region: HTMLElement) {}

  say(words: string, lang: string): void {
    if (words.length === 0) return;
    const utterance = document.createElement("span");
    utterance.lang = lang;
    utterance.textContent = words;
    this.region.replaceChildren(utterance);
  }
}
