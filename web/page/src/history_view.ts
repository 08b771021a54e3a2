// The history of what was said, as a list outside the live region: read at leisure with
// the screen reader's own keys, or on a braille display.
export class HistoryView {
  constructor(
    private readonly list: HTMLOListElement,
    private readonly nothingYet: string,
  ) {
    this.show([], true);
  }

  show(lines: string[], replace: boolean): void {
    if (replace) this.list.replaceChildren();
    const placeholder = this.list.querySelector("[data-placeholder]");
    if (lines.length > 0) placeholder?.remove();
    for (const line of lines) {
      const item = document.createElement("li");
      item.textContent = line;
      this.list.append(item);
    }
    if (this.list.childElementCount === 0) {
      const item = document.createElement("li");
      item.dataset["placeholder"] = "";
      item.textContent = this.nothingYet;
      this.list.append(item);
    }
  }
}
