// The tab's WebSocket to tarvelweb. It says hello with the session it had (kept in the
// tab's sessionStorage, so a reload finds it and another tab does not), and comes back by
// itself after a lost connection. A close for a broken rule is final: trying again would
// only break it again.
import type { GameCommand, PageMessage, ServerMessage, SettingsMessage } from "@generated/messages";
import type { Language } from "./texts";

const SECRET_KEY = "tarvel.session";
// RFC 6455 codes tarvelweb closes with when the page broke a rule.
const FINAL_CLOSES = new Set([1003, 1008, 1009]);

export interface ConnectionEvents {
  message(message: ServerMessage): void;
  lost(): void;
  back(): void;
  closed(reason: string): void;
}

export class Connection {
  private socket: WebSocket | null = null;
  private retryMs = 500;
  private wasLost = false;

  constructor(
    private readonly language: Language,
    private readonly events: ConnectionEvents,
  ) {}

  open(): void {
    const scheme = location.protocol === "https:" ? "wss" : "ws";
    const socket = new WebSocket(`${scheme}://${location.host}/ws`);
    this.socket = socket;
    socket.onopen = () => {
      const secret = sessionStorage.getItem(SECRET_KEY);
      this.post(secret ? { type: "hello", language: this.language, resume: secret } : { type: "hello", language: this.language });
    };
    socket.onmessage = (event: MessageEvent) => {
      if (typeof event.data !== "string") return;
      const message = JSON.parse(event.data) as ServerMessage;
      if (message.type === "welcome") {
        sessionStorage.setItem(SECRET_KEY, message.secret);
        this.retryMs = 500;
        if (this.wasLost) this.events.back();
        this.wasLost = false;
      }
      this.events.message(message);
    };
    socket.onclose = (event: CloseEvent) => {
      this.socket = null;
      if (FINAL_CLOSES.has(event.code)) {
        this.events.closed(event.reason);
        return;
      }
      if (!this.wasLost) this.events.lost();
      this.wasLost = true;
      setTimeout(() => this.open(), this.retryMs);
      this.retryMs = Math.min(this.retryMs * 2, 8000);
    };
  }

  command(name: GameCommand): void {
    this.post({ type: "command", name });
  }

  settings(settings: Omit<SettingsMessage, "type">): void {
    this.post({ type: "settings", ...settings });
  }

  scoreName(name: string): void {
    this.post({ type: "scoreName", name });
  }

  // A network match on tarvelweb's game server, at the table named (empty: anyone).
  networkMatch(table: string): void {
    this.post({ type: "networkMatch", table });
  }

  chat(text: string): void {
    this.post({ type: "chat", text });
  }

  keptScores(table: string): void {
    this.post({ type: "keptScores", table });
  }

  private post(message: PageMessage): void {
    if (this.socket?.readyState === WebSocket.OPEN) this.socket.send(JSON.stringify(message));
  }
}
