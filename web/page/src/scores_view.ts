// The table of best results, shown when the session offers it: its lines, the name to
// write when a result reached a place, and the buttons the moment allows. The game
// waits until it is answered; the page never moves the focus there by itself: the
// player goes there with its key, and the screen reader is told it is there.
import type { ScoresMessage } from "@generated/messages";

export interface ScoresActions {
  write(name: string): void;
  close(): void;
}

export class ScoresView {
  private readonly lines: HTMLElement;
  private readonly form: HTMLFormElement;
  private readonly name: HTMLInputElement;
  private readonly continueButton: HTMLButtonElement;
  private readonly closeButton: HTMLButtonElement;

  constructor(
    private readonly section: HTMLElement,
    actions: ScoresActions,
  ) {
    const part = <T extends HTMLElement>(selector: string) => {
      const found = section.querySelector<T>(selector);
      if (!found) throw new Error(`the table of results lacks ${selector}`);
      return found;
    };
    this.lines = part("#score-lines");
    this.form = part<HTMLFormElement>("#score-form");
    this.name = part<HTMLInputElement>("#score-name");
    this.continueButton = part<HTMLButtonElement>("#score-continue");
    this.closeButton = part<HTMLButtonElement>("#score-close");
    this.form.addEventListener("submit", (event) => {
      event.preventDefault();
      actions.write(this.name.value);
    });
    this.continueButton.addEventListener("click", () => actions.close());
    this.closeButton.addEventListener("click", () => actions.close());
  }

  get open(): boolean {
    return !this.section.hidden;
  }

  show(scores: ScoresMessage, name: string): void {
    this.section.hidden = false;
    this.lines.textContent = scores.lines.join("\n");
    this.form.hidden = !scores.canWrite;
    if (scores.canWrite && this.name.value === "") this.name.value = name;
    this.continueButton.hidden = !scores.canContinue;
    this.closeButton.hidden = !scores.canClose || scores.canContinue;
  }

  // Gives the focus to the table's first control: the player asked for it.
  focus(): void {
    const first = [this.name, this.continueButton, this.closeButton].find(
      (control) => !control.hidden && !(control === this.name && this.form.hidden),
    );
    first?.focus();
  }

  // Whether the focus was in it: the page then gives it back to the hand, as a closed
  // dialog gives it back to where it was opened from.
  hide(): boolean {
    const hadFocus = this.section.contains(document.activeElement);
    this.section.hidden = true;
    return hadFocus;
  }
}
